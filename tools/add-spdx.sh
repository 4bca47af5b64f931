#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every tracked source file that lacks it (after a
# script's #! line). With --check it changes nothing, lists the files that lack the line
# and fails when there is one. Optional paths narrow the files to those folders.
# Usage: tools/add-spdx.sh [--check] [PATH...]
set -euo pipefail
cd "$(dirname "$0")/.."
readonly id="SPDX-License-Identifier: GPL-3.0-or-later"

check=0
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi

# Sets comment to what starts a comment line in FILE's kind of source; fails for a file
# that is not source.
comment_for() {
    case "$1" in
        *.cpp | *.h) comment="//" ;;
        *.sh | *.bash | *.cmake | */CMakeLists.txt | CMakeLists.txt | .ci/run) comment="#" ;;
        *.[1-9]) comment='.\"' ;;
        *) return 1 ;;
    esac
}

# The tracked files, or every file outside build/ in a tree that is not a clone.
list_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z -- "$@"
    else
        find "${@:-.}" -path ./build -prune -o -type f -print0 | sed -z 's#^\./##'
    fi
}

lacking=0
while IFS= read -r -d '' file; do
    comment_for "$file" || continue
    [ -f "$file" ] || continue
    mapfile -n 3 top <"$file"
    [[ "${top[*]}" == *"$id"* ]] && continue
    if [ "$check" = 1 ]; then
        echo "no licence line: $file"
        lacking=1
        continue
    fi
    line="$comment $id"
    tmp="$(mktemp "$file.XXXXXX")"
    if head -n 1 "$file" | grep -q '^#!'; then
        { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$tmp"
    else
        { echo "$line"; cat "$file"; } >"$tmp"
    fi
    chmod --reference="$file" "$tmp"
    mv "$tmp" "$file"
    echo "added: $file"
done < <(list_files "$@")
exit "$lacking"
