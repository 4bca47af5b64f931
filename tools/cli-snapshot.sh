#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs patchwright-cli over every sample, target and amp choice and writes everything
# it prints and writes into one folder, so that two builds can be compared with diff -r.
#   tools/cli-snapshot.sh BUILD_BIN_DIR OUT_DIR [SAMPLES_DIR...]
set -uo pipefail
cli="$(realpath "$1")/patchwright-cli"
out="$(realpath -m "$2")"
shift 2
samples=("$@")
[ ${#samples[@]} -eq 0 ] && samples=("$(dirname "$0")/../tests/data")
rm -rf "$out" && mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for dir in "${samples[@]}"; do
    for f in "$dir"/*.*; do
        [ -f "$f" ] || continue
        b="$(basename "$f")"
        cp "$f" "$work/$b"
        for t in RP150 RP250 RP255 RP350 RP355; do
            for fmt in "" --json; do
                (cd "$work" && "$cli" check "$b" --target $t $fmt >"$out/$b.check.$t$fmt.out" 2>&1
                 echo "exit $?" >>"$out/$b.check.$t$fmt.out")
                for amp in "" "--amp A" "--amp B"; do
                    tag="$t$fmt${amp// /}"
                    (cd "$work" && "$cli" filter "$b" --target $t $amp $fmt >"$out/$b.filter.$tag.out" 2>&1
                     echo "exit $?" >>"$out/$b.filter.$tag.out")
                done
            done
            for amp in "" "--amp A" "--amp B"; do
                tag="$t${amp// /}"
                mkdir -p "$work/conv"
                (cd "$work" && "$cli" convert "$b" --target $t $amp --out conv >"$out/$b.convert.$tag.out" 2>&1
                 echo "exit $?" >>"$out/$b.convert.$tag.out")
                for w in "$work"/conv/*; do [ -f "$w" ] && mv "$w" "$out/$b.convert.$tag.$(basename "$w")"; done
            done
            for kind in --user --complete; do
                (cd "$work" && "$cli" export "$b" $kind --target $t --overwrite >"$out/$b.export.$t$kind.out" 2>&1
                 echo "exit $?" >>"$out/$b.export.$t$kind.out")
                [ -f "$work/$b.txt" ] && mv "$work/$b.txt" "$out/$b.export.$t$kind.txt"
            done
        done
        rm -f "$work/$b"
    done
done
# Paths of the scratch folder differ between runs.
sed -i "s#$work#WORK#g" "$out"/*.out
echo "$(ls "$out" | wc -l) files in $out"
