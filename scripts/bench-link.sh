#!/usr/bin/env bash
# Benchmarks of the device link: GETFILE throughput against a plain socket
# copy, then HTTP/1.0 requests per second of `ze-tool serve` side by side with
# nginx serving the same files (wrk, one connection, a new TCP connection per
# request). Installs wrk, nginx and curl when missing.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
build="${ZE_LINK_BENCH_BUILD:-build-link}"
seconds="${ZE_LINK_BENCH_SECONDS:-1}"
rounds="${ZE_LINK_BENCH_ROUNDS:-9}"

missing=()
command -v wrk >/dev/null || missing+=(wrk)
command -v nginx >/dev/null || missing+=(nginx-light)
command -v curl >/dev/null || missing+=(curl)
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$top" -B "$top/$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZE_BUILD_BENCH=ON \
    >/dev/null
cmake --build "$top/$build" --target link_getfile_bench ze-tool >/dev/null

echo "== GETFILE"
"$build/bin/link_getfile_bench"

work="$(mktemp -d)"
# nginx's worker runs as an unprivileged user: it must be able to read the
# files, or every answer is a short 403 and the comparison means nothing.
chmod 755 "$work"
serve_pid=""
nginx_pid=""
cleanup() {
    [[ -n "$serve_pid" ]] && kill "$serve_pid" 2>/dev/null && wait "$serve_pid" 2>/dev/null
    [[ -n "$nginx_pid" ]] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/site/resources" "$work/nginx"
head -c 1024 /dev/urandom | base64 -w 0 | head -c 1024 >"$work/site/file1k.html"
head -c 102400 /dev/urandom >"$work/site/file100k.apk"
cat >"$work/http10.lua" <<'LUA'
-- HTTP/1.0 without keep-alive: every request opens a new connection.
request = function()
    return "GET " .. wrk.path .. " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n"
end
LUA

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
serve_port="$(free_port)"
serve_http="$(free_port)"
nginx_port="$(free_port)"

"$build/bin/ze-tool" serve --folder "$work/site" --address 127.0.0.1 --port "$serve_port" \
    --http-port "$serve_http" >/dev/null &
serve_pid=$!

cat >"$work/nginx/nginx.conf" <<CONF
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
    access_log off;
    client_body_temp_path $work/nginx;
    proxy_temp_path $work/nginx;
    fastcgi_temp_path $work/nginx;
    uwsgi_temp_path $work/nginx;
    scgi_temp_path $work/nginx;
    types { application/octet-stream apk; text/html html; }
    server {
        listen 127.0.0.1:$nginx_port;
        root $work/site;
        sendfile on;
    }
}
CONF
nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" -g 'daemon off;' 2>/dev/null &
nginx_pid=$!
sleep 0.5

# Both must answer 200 with the whole file before they are compared.
for file in file1k.html file100k.apk; do
    size="$(stat -c %s "$work/site/$file")"
    for port in "$serve_http" "$nginx_port"; do
        got="$(curl -s -o /dev/null -w '%{http_code} %{size_download}' "http://127.0.0.1:$port/$file")"
        if [[ "$got" != "200 $size" ]]; then
            echo "port $port answers $file with \"$got\", not \"200 $size\"" >&2
            exit 1
        fi
    done
done

rate() {
    local out
    out="$(wrk -t1 -c1 -d"${seconds}s" -s "$work/http10.lua" "$1")"
    if grep -q "Non-2xx" <<<"$out"; then
        echo "$1: answers other than 200" >&2
        exit 1
    fi
    awk '/Requests\/sec/ {print $2}' <<<"$out"
}

median() {
    tr ' ' '\n' | sed '/^$/d' | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# The two take turns, so that a change in the machine's load between runs
# falls on both; each figure is the median of the rounds, the ratio the
# median of the ratios within a round.
echo "== HTTP/1.0, one connection, a new TCP connection per request" \
    "(wrk, ${rounds} rounds of ${seconds} s each, medians)"
printf "  %-8s %14s %14s %8s\n" file "ze-tool req/s" "nginx req/s" ratio
for file in file1k.html file100k.apk; do
    ours=""
    theirs=""
    ratios=""
    for ((round = 0; round < rounds; ++round)); do
        a="$(rate "http://127.0.0.1:$serve_http/$file")"
        b="$(rate "http://127.0.0.1:$nginx_port/$file")"
        ours+=" $a"
        theirs+=" $b"
        ratios+=" $(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", (b > 0 ? a / b : 0) }')"
    done
    printf "  %-8s %14s %14s %8.2f\n" "${file%%.*}" "$(median <<<"$ours")" \
        "$(median <<<"$theirs")" "$(median <<<"$ratios")"
done
echo "  (at least 1.00 of nginx)"
