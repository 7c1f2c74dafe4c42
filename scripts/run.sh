#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled
# example project: ze-tool prints the project's resource tree, then runs the
# device link on it without a window (command port 5000, HTTP port 8080,
# files from examples/), sending the dialog Main to every device that
# connects. Ctrl+C stops it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh
scripts/build.sh build
build/bin/ze-tool tree examples/SampleApp.moxspro
exec build/bin/ze-tool serve --folder examples --project examples/SampleApp.moxspro --send Main
