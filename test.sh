#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Patchwright with AddressSanitizer and UndefinedBehaviorSanitizer into
# build/test and runs every test suite through ctest; then fuzzes the reader for
# PW_FUZZ_SECONDS (30 by default; 0 skips fuzzing, and clang is then not installed).
# The parallel code's tests run once more under ThreadSanitizer (build/tsan; PW_TSAN=0
# skips them).
#
# The suites spend much of their time waiting (windows, child processes, the file
# system), so the next tree is built beside them: the ThreadSanitizer tree while the
# first suites run, the fuzz targets while the ThreadSanitizer suites run. Each build's
# output is kept in a log and shown when it fails.
set -euo pipefail
cd "$(dirname "$0")"
fuzz_seconds="${PW_FUZZ_SECONDS:-30}"
tsan="${PW_TSAN:-1}"
sets=(test)
[ "$fuzz_seconds" != 0 ] && sets+=(fuzz)
./tools/install-deps.sh "${sets[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
jobs="$(nproc)"
mkdir -p build

# background NAME COMMAND...: runs COMMAND beside what follows, its output in build/NAME.log.
background() {
    local name="$1"
    shift
    "$@" >"build/$name.log" 2>&1 &
    eval "${name}_pid=$!"
}
# finish NAME: waits for the build started as NAME; its log is shown when it failed.
finish() {
    local name="$1" pid
    pid="$(eval echo "\$${name}_pid")"
    if ! wait "$pid"; then
        cat "build/$name.log" >&2
        echo "test.sh: the $name build failed" >&2
        exit 1
    fi
}

cmake --preset test >/dev/null
cmake --build --preset test -j"$jobs"
if [ "$tsan" != 0 ]; then
    background tsan_build sh -c "cmake --preset tsan >/dev/null && cmake --build --preset tsan -j$jobs"
fi
ctest --preset test -j"$jobs"
if [ "$tsan" != 0 ]; then
    finish tsan_build
    if [ "$fuzz_seconds" != 0 ]; then
        background fuzz_build sh -c "cmake --preset fuzz >/dev/null &&
            cmake --build --preset fuzz --target fuzz_preset fuzz_archive -j$jobs"
    fi
    ctest --preset tsan -j"$jobs"
    if [ "$fuzz_seconds" != 0 ]; then
        finish fuzz_build
    fi
fi
if [ "$fuzz_seconds" != 0 ]; then
    ./fuzz/run.sh "$fuzz_seconds"
fi
