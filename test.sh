#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Patchwright with AddressSanitizer and UndefinedBehaviorSanitizer into
# build/test and runs every test suite through ctest; then fuzzes the reader for
# PW_FUZZ_SECONDS (30 by default; 0 skips fuzzing, and clang is then not installed).
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
if [ "$fuzz_seconds" != 0 ]; then
    ./tools/install-deps.sh fuzz
    ./fuzz/run.sh "$fuzz_seconds"
fi
