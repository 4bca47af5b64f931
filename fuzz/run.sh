#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the preset reader and writer for SECONDS (default 60) with the seed corpus.
# Builds the fuzz preset (clang, libFuzzer) into build/fuzz first when needed. The
# corpus is copied into build/fuzz, so the repository is never modified; findings land
# in build/fuzz/findings. Exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

if [ ! -f build/fuzz/build.ninja ]; then
    cmake --preset fuzz >/dev/null
fi
cmake --build --preset fuzz --target fuzz_preset -j"${PW_FUZZ_BUILD_JOBS:-2}" >/dev/null

work=build/fuzz/run
rm -rf "$work/corpus"
mkdir -p "$work/corpus" build/fuzz/findings
cp fuzz/corpus/* "$work/corpus/"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}:halt_on_error=1"
echo "Fuzzing fuzz_preset for ${seconds} s ..."
status=0
build/fuzz/bin/fuzz_preset "$work/corpus" \
    -dict=fuzz/preset.dict \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/ \
    >"$work/log.txt" 2>&1 || status=$?
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/log.txt" || true
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/log.txt"
    echo "fuzz_preset found a problem (exit $status); the input is in build/fuzz/findings/" >&2
    exit "$status"
fi
echo "No finding."
