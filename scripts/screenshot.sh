#!/usr/bin/env bash
# Takes the README's screenshots: the editor on the example project mid-edit,
# with the dialog Main open and its first BUTTON picked, on a virtual X
# display (Xvfb).
#   edit  docs/screenshot.png       the property list showing the button with
#                                   the colour drop-down open, and the
#                                   example's resources in the image grids
#   zoom  docs/screenshot-zoom.png  the window at "実寸", zoomed to 200 %
#                                   about the button, with its scroll bars
#   device   docs/screenshot-device.png   Main in "デバイス表示"
#   devices  docs/screenshot-devices.png  the "デバイス一覧" window
#
#   screenshot.sh                          every scene, each to its file
#   screenshot.sh [--scene NAME] [OUTPUT]  one scene (edit by default)
#
# Installs what is missing and builds first; with ZE_BUILD_DIR set, the
# programs are taken from that build folder as they are. ze-screenshot-scene
# is ze-editor plus those few clicks.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh xvfb x11-apps x11-utils imagemagick
if [ -n "${ZE_BUILD_DIR:-}" ]; then
    build="$ZE_BUILD_DIR"
else
    scripts/build.sh build
    build=build
fi

default_output() {
    case "$1" in
        edit) echo docs/screenshot.png ;;
        zoom) echo docs/screenshot-zoom.png ;;
        device) echo docs/screenshot-device.png ;;
        devices) echo docs/screenshot-devices.png ;;
        *) echo "Unknown scene: $1" >&2; exit 2 ;;
    esac
}

shots=()
if [ $# -eq 0 ]; then
    shots=()
    for scene in edit zoom device devices; do
        shots+=("$scene $(default_output "$scene")")
    done
else
    scene=edit
    if [ "$1" = --scene ]; then
        scene="${2:?--scene needs a name}"
        shift 2
    fi
    shots=("$scene ${1:-$(default_output "$scene")}")
fi

width=1200
height=800
display=":$((90 + RANDOM % 100))"
# The scenes start from the default settings, not from the user's own.
settings="$(mktemp -d)"
cleanup() {
    [ -n "${editor:-}" ] && kill "$editor" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$settings"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp &
xvfb=$!
for _ in $(seq 50); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

for shot in "${shots[@]}"; do
    read -r scene output <<<"$shot"
    DISPLAY="$display" QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 \
        "$build/bin/ze-screenshot-scene" --scene "$scene" \
        examples/SampleApp.moxspro --folder examples --dialog Main \
        --settings "$settings/VaVoririvuZuvazu.ini" &
    editor=$!
    sleep 4
    mkdir -p "$(dirname "$output")"
    xwd -root -silent -display "$display" |
        convert xwd:- -crop "${width}x${height}+0+0" "png:$output"
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    editor=
    echo "Wrote $output"
done
