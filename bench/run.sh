#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the optimised benchmarks (build/bench) and runs them; prints every figure with
# its ratio to the baseline measured in the same run and writes the table to
# build/bench/results.md. Extra arguments go to the benchmark program (for example
# --benchmark_filter=30000).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j"${PW_BENCH_BUILD_JOBS:-2}" >/dev/null
build/bench/bin/pw_bench --benchmark_min_time="${PW_BENCH_MIN_TIME:-0.5}" \
    --pw_markdown=build/bench/results.md "$@"
if [ -x build/bench/bin/pw_window_bench ]; then
    echo
    build/bench/bin/pw_window_bench --benchmark_min_time="${PW_BENCH_MIN_TIME:-0.5}"
fi
if [ -x build/bench/bin/pw_library_bench ]; then
    echo
    QT_QPA_PLATFORM=offscreen build/bench/bin/pw_library_bench 10000
fi
echo
# Filter Patch and the reader against their input's size (exits 1 when one grows faster).
build/bench/bin/pw_filter_bench --benchmark_min_time="${PW_BENCH_MIN_TIME:-0.5}"
echo
echo "Markdown table: build/bench/results.md"
