#!/usr/bin/env bash
# Configures and builds one build folder: build.sh FOLDER [cmake options...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
cmake -S "$top" -B "$top/$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$top/$folder" --parallel "$(nproc)"
