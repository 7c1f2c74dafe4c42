#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled
# example project (examples/SampleApp.moxspro):
# - with a display, the editor opens the project with examples/ as its
#   project folder (so the image grids and the device link use the example's
#   resources) and shows its dialog Main;
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
    exec build/bin/ze-editor examples/SampleApp.moxspro --folder examples --dialog Main
fi

echo "No display: running the editor's device link on the example project instead."
build/bin/ze-tool tree examples/SampleApp.moxspro
exec build/bin/ze-tool serve --folder examples --project examples/SampleApp.moxspro --send Main
