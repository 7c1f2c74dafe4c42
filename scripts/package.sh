#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, configures a release
# build in build-package/ (or the folder given), builds it and runs cpack.
# The package lands in that folder as ze-resource-editor_VERSION_amd64.deb.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
folder="${1:-build-package}"
scripts/install-deps.sh
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZE_BUILD_TESTS=OFF -DZE_BUILD_BENCH=OFF
cmake --build "$folder"
(cd "$folder" && cpack -G DEB)
ls "$folder"/ze-resource-editor_*.deb
