#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes for SECONDS each (default 60), with their seed corpora, both at once: the preset
# reader and writer (fuzz_preset) and the library's archive path (fuzz_archive). Builds
# the fuzz preset (clang, libFuzzer) into build/fuzz first when needed. The corpora are
# copied into build/fuzz, so the repository is never modified; findings land in
# build/fuzz/findings. Exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

if [ ! -f build/fuzz/build.ninja ]; then
    cmake --preset fuzz >/dev/null
fi
cmake --build --preset fuzz --target fuzz_preset fuzz_archive -j"${PW_FUZZ_BUILD_JOBS:-2}" >/dev/null

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}:halt_on_error=1"
mkdir -p build/fuzz/findings

# fuzz TARGET CORPUS [libFuzzer options...]
fuzz() {
    local target="$1" corpus="$2"
    shift 2
    local work="build/fuzz/run/$target" status=0
    rm -rf "$work"
    mkdir -p "$work/corpus"
    cp "$corpus"/* "$work/corpus/"
    echo "Fuzzing $target for ${seconds} s ..."
    "build/fuzz/bin/$target" "$work/corpus" "$@" \
        -max_total_time="$seconds" \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -print_final_stats=1 \
        -artifact_prefix=build/fuzz/findings/ \
        >"$work/log.txt" 2>&1 || status=$?
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/log.txt" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/log.txt"
        echo "$target found a problem (exit $status); the input is in build/fuzz/findings/" >&2
        exit "$status"
    fi
}

# The two fuzz side by side, a core each.
fuzz fuzz_preset fuzz/corpus -dict=fuzz/preset.dict -max_len=65536 &
preset=$!
fuzz fuzz_archive fuzz/corpus_archive -max_len=65536 &
archive=$!
status=0
wait "$preset" || status=$?
wait "$archive" || status=$?
[ "$status" -eq 0 ] || exit "$status"
echo "No finding."
