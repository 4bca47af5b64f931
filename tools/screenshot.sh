#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the main window with a sample preset open into docs/screenshot.png (or OUTPUT),
# the Library window over a folder of realistic presets into docs/library.png (or
# LIBRARY), the preset's Signal Chain window into docs/chain.png and the preset compared
# with a variant of it into docs/compare.png, on Qt's offscreen platform, from the release build in build/ (PW_PRESET=test
# takes the test build in build/test instead).
# Usage: tools/screenshot.sh [PRESET [OUTPUT [LIBRARY]]]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-tests/data/big_verb.rp350p}"
output="${2:-docs/screenshot.png}"
library="${3:-docs/library.png}"
chain="$(dirname "$output")/chain.png"
compare="$(dirname "$output")/compare.png"
build_preset="${PW_PRESET:-release}"
case "$build_preset" in
    release) bin=build/bin ;;
    *) bin="build/$build_preset/bin" ;;
esac
cmake --preset "$build_preset" >/dev/null
cmake --build --preset "$build_preset" --target pw_screenshot -j"$(nproc)" >/dev/null
mkdir -p "$(dirname "$output")" "$(dirname "$library")"
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$bin/pw_screenshot" "$preset" "$output" "$library" "$chain" "$compare"
echo "$output"
echo "$library"
echo "$chain"
echo "$compare"
