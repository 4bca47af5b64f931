#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Offline checks of what the package installs besides the programs.
# Usage: check.sh metainfo|desktop|man|completion SOURCE_DIR BUILD_DIR
set -euo pipefail
what="$1" source="$2" build="$3"
packaging="$source/packaging"

case "$what" in
    metainfo)
        if ! command -v appstreamcli >/dev/null; then
            echo "SKIPPED: appstreamcli is not installed (package appstream)"
            exit 77
        fi
        appstreamcli validate --no-net "$packaging"/*.metainfo.xml ;;
    desktop)
        desktop-file-validate "$packaging/patchwright.desktop" ;;
    man)
        # Both pages render, without a single warning from the formatter.
        for page in "$build/packaging/patchwright.1" "$build/packaging/patchwright-cli.1"; do
            [ -f "$page" ] || continue  # the window's page is built with the window only
            warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
            [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
            MANWIDTH=80 man -l "$page" | grep -q "^NAME" || { echo "$page does not render"; exit 1; }
        done ;;
    completion)
        # The sub-commands are offered, and every option of a sub-command's usage line
        # in --help is offered after it.
        source "$packaging/patchwright-cli.bash"
        offers() {
            COMP_WORDS=(patchwright-cli "$@")
            COMP_CWORD=$#
            _patchwright_cli
            echo "${COMPREPLY[*]}"
        }
        [ "$(offers "")" = "check filter convert export diff chain scan --help --version" ] || {
            echo "sub-commands offered: $(offers "")"; exit 1; }
        help="$("$build/bin/patchwright-cli" --help)"
        for command in check filter convert export diff chain scan; do
            usage="$(awk -v c="$command" '/^$/ { on = 0 } $1 == "patchwright-cli" { on = ($2 == c) } on && /^  /' <<<"$help")"
            for option in $(grep -o -- '--[a-z]*' <<<"$usage"); do
                grep -qw -- "$option" <<<"$(offers "$command" --)" || {
                    echo "$command: $option is not offered"; exit 1; }
            done
        done
        # Packs are offered where they are read.
        packs="$(mktemp -d)"
        touch "$packs/blues.zip"
        for command in scan convert; do
            [ "$(cd "$packs" && offers "$command" b)" = blues.zip ] || {
                echo "$command: no pack offered"; rm -r "$packs"; exit 1; }
        done
        rm -r "$packs" ;;
    *)
        echo "unknown check: $what" >&2
        exit 2 ;;
esac
