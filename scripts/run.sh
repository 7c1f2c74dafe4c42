#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled
# example project (examples/SampleApp.moxspro):
# - with a display, the editor opens the project and shows its dialog Main;
#   on the first run its settings file (build/bin/VaVoririvuZuvazu.ini)
#   is created with examples/ as the project folder, so the image grids and
#   the device link use the example's resources;
# - without one, ze-tool prints the project's resource tree, then runs the
#   device link on it without a window (command port 5000, HTTP port 8080,
#   files from examples/), sending the dialog Main to every device that
#   connects. Ctrl+C stops it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh
scripts/build.sh build

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    settings="build/bin/VaVoririvuZuvazu.ini"
    if [ ! -f "$settings" ]; then
        printf '[SETTING]\r\nProjectFolder=%s/examples/\r\nListenPort=5000\r\n' "$top" >"$settings"
    fi
    exec build/bin/ze-editor examples/SampleApp.moxspro --dialog Main
fi

echo "No display: running the editor's device link on the example project instead."
build/bin/ze-tool tree examples/SampleApp.moxspro
exec build/bin/ze-tool serve --folder examples --project examples/SampleApp.moxspro --send Main
