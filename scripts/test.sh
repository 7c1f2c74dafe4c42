#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core and widget
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, bounded fuzz runs of the
# parser, the conversions and the project loader, then the whole suite of the regular build.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh

# The checking builds take line tables only and -O1 (what the sanitizers
# are made for): they build faster, and their reports still name
# every file and line.
checking=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG")

echo "== Sanitizer build of the core and widget tests"
scripts/build.sh build-asan -DZE_SANITIZE=ON -DZE_BUILD_BENCH=OFF "${checking[@]}"
ctest --test-dir build-asan -L 'core|gui' --output-on-failure --parallel "$(nproc)"

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DZE_BUILD_FUZZ=ON "${checking[@]}"
findings="$(mktemp -d)"
trap 'rm -rf "$findings"' EXIT
# fuzz TARGET SECONDS: a bounded run from the seed corpus; fails on any finding.
fuzz() {
    echo "== Fuzzing $1 for $2 s"
    mkdir -p "$findings/$1"
    if ! "build-fuzz/bin/$1_fuzz" -max_total_time="$2" -artifact_prefix="$findings/" \
            "$findings/$1" "fuzz/corpus/$1" >"$findings/$1.log" 2>&1; then
        cat "$findings/$1.log"
        echo "The $1 fuzz target found a fault; the input is above."
        exit 1
    fi
    tail -n 1 "$findings/$1.log"
}
fuzz parser "${ZE_FUZZ_SECONDS:-60}"
fuzz convert "${ZE_FUZZ_SECONDS:-30}"
fuzz loader "${ZE_FUZZ_SECONDS:-45}"
fuzz frame "${ZE_FUZZ_SECONDS:-20}"
fuzz http_request "${ZE_FUZZ_SECONDS:-20}"

echo "== Regular build, every test"
scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
