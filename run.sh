#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Patchwright into build/ and starts it. Arguments go to the program
# (for example a preset file to open).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: showing a preset with the command line program instead." >&2
    exec build/bin/patchwright-cli check tests/data/surfs_up.rp255p "$@"
fi
exec build/bin/patchwright "$@"
