#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Patchwright with AddressSanitizer and UndefinedBehaviorSanitizer into
# build/test and runs every test suite through ctest; then fuzzes the reader for
# PW_FUZZ_SECONDS (30 by default; 0 skips fuzzing, and clang is then not installed).
# The parallel code's tests run once more under ThreadSanitizer (build/tsan; PW_TSAN=0
# skips them).
set -euo pipefail
cd "$(dirname "$0")"
fuzz_seconds="${PW_FUZZ_SECONDS:-30}"
./tools/install-deps.sh test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --preset test >/dev/null
cmake --build --preset test -j"$(nproc)"
ctest --preset test -j"$(nproc)"
if [ "${PW_TSAN:-1}" != 0 ]; then
    cmake --preset tsan >/dev/null
    cmake --build --preset tsan -j"$(nproc)"
    ctest --preset tsan -j"$(nproc)"
fi
if [ "$fuzz_seconds" != 0 ]; then
    ./tools/install-deps.sh fuzz
    ./fuzz/run.sh "$fuzz_seconds"
fi
