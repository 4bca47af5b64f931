#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the manual page of patchwright-cli from its --help, so the two never differ:
# "Usage:" becomes SYNOPSIS, the paragraphs after it DESCRIPTION, and every other
# "Heading:" line a section of its own, with the help's layout kept as it is.
# Usage: cli-help-to-man.sh PATCHWRIGHT-CLI VERSION OUTPUT
set -eu
program="$1"
version="$2"
output="$3"

{
    echo '.\" Made from patchwright-cli --help by cli-help-to-man.sh.'
    echo ".TH PATCHWRIGHT\\-CLI 1 \"\" \"Patchwright $version\" \"User Commands\""
    echo '.SH NAME'
    echo 'patchwright\-cli \- check, filter, convert and export RP series presets'
    "$program" --help | sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/" -e 's/-/\\-/g' | awk '
        /^[A-Z][^ ]*( [^ ]+)*:$/ {
            heading = toupper(substr($0, 1, length($0) - 1))
            if (heading == "USAGE") heading = "SYNOPSIS"
            if (open) print ".fi"
            print ".SH " heading
            print ".nf"
            open = 1
            section = heading
            next
        }
        section == "SYNOPSIS" && /^$/ {
            print ".fi"
            print ".SH DESCRIPTION"
            print ".nf"
            section = "DESCRIPTION"
            next
        }
        { print }
        END { if (open) print ".fi" }'
    echo '.SH SEE ALSO'
    echo '.BR patchwright (1)'
} >"$output.tmp"
mv "$output.tmp" "$output"
