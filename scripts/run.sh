#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled
# example project: ze-tool loads the project and prints its resource tree.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh
scripts/build.sh build
exec build/bin/ze-tool tree examples/SampleApp.moxspro
