#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tools/convert-matrix.sh [BUILD_DIR] [COUNT]
# Makes COUNT realistic variants of a sample of every savable model (bench/make_variants:
# every model-select row gets a model its own device knows), converts each set for every
# target with --resolve --amp A, checks every written preset for that target, and prints
# per source and target: written of loadable, and how many written presets check clean.
# BUILD_DIR defaults to build/bench (cmake --preset bench; it needs make_variants and
# patchwright-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/bench}
count=${2:-40}
cli="$build/bin/patchwright-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/make_variants" tests/data "$work/in" "$count"

models=(RP150 RP250 RP255 RP350 RP355)
printf '%-8s' 'from\to'
for target in "${models[@]}"; do printf '  %-16s' "$target"; done
printf '\n'
worst=100
for source in "${models[@]}"; do
    printf '%-8s' "$source"
    inputs=("$work/in/$source"/*)
    loadable=$("$cli" check --summary --target "$source" "${inputs[@]}" | grep -vc 'not loadable$' || true)
    for target in "${models[@]}"; do
        out="$work/out/$source-$target"
        mkdir -p "$out"
        "$cli" convert "${inputs[@]}" --target "$target" --resolve --amp A --out "$out" \
            --quiet >/dev/null 2>&1 || true
        shopt -s nullglob
        written=("$out"/*)
        shopt -u nullglob
        clean=0
        if [ "${#written[@]}" -gt 0 ]; then
            clean=$("$cli" check --summary --target "$target" "${written[@]}" | grep -c ', clean$' || true)
        fi
        percent=$((100 * ${#written[@]} / loadable))
        [ "$percent" -lt "$worst" ] && worst=$percent
        printf '  %-16s' "${#written[@]}/$loadable ($clean clean)"
    done
    printf '\n'
done
echo "Lowest share written: $worst%"
