#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzz run of the
# parser, then the whole suite of the regular build.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh

echo "== Sanitizer build of the core tests"
scripts/build.sh build-asan -DZE_SANITIZE=ON -DZE_CORE_ONLY=ON -DZE_BUILD_BENCH=OFF
ctest --test-dir build-asan -L core --output-on-failure --parallel "$(nproc)"

echo "== Fuzzing the parser for ${ZE_FUZZ_SECONDS:-60} s"
scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DZE_BUILD_FUZZ=ON
findings="$(mktemp -d)"
trap 'rm -rf "$findings"' EXIT
mkdir "$findings/corpus"
if ! build-fuzz/bin/parser_fuzz -max_total_time="${ZE_FUZZ_SECONDS:-60}" \
        -artifact_prefix="$findings/" "$findings/corpus" fuzz/corpus/parser >"$findings/log" 2>&1; then
    cat "$findings/log"
    echo "The parser fuzz target found a fault; the input is above."
    exit 1
fi
tail -n 1 "$findings/log"

echo "== Regular build, every test"
scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
