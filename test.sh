#!/usr/bin/env bash
# Builds Patchwright with AddressSanitizer and UndefinedBehaviorSanitizer into
# build/test and runs every test suite through ctest; then fuzzes for a short while
# when clang is available.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --preset test >/dev/null
cmake --build --preset test -j"$(nproc)"
ctest --preset test -j"$(nproc)"
if command -v clang++ >/dev/null && [ -x fuzz/run.sh ]; then
    ./fuzz/run.sh "${PW_FUZZ_SECONDS:-30}"
fi
