#!/usr/bin/env bash
# Takes docs/screenshot.png: the editor on the example project mid-edit, with
# the dialog Main open, its first BUTTON picked, the property list showing it
# with the colour drop-down open, and the example's resources in the image
# grids, on a virtual X display (Xvfb). Installs what is missing and builds
# first. ze-screenshot-scene is ze-editor plus those few clicks.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh xvfb x11-apps x11-utils imagemagick
scripts/build.sh build

output="${1:-docs/screenshot.png}"
width=1200
height=800
display=":$((90 + RANDOM % 100))"
cleanup() {
    [ -n "${editor:-}" ] && kill "$editor" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp &
xvfb=$!
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 \
    build/bin/ze-screenshot-scene examples/SampleApp.moxspro --folder examples --dialog Main &
editor=$!
sleep 4
mkdir -p "$(dirname "$output")"
xwd -root -silent -display "$display" | convert xwd:- -crop "${width}x${height}+0+0" "png:$output"
echo "Wrote $output"
