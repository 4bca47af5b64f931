#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The preset MIME types: the package file is valid for update-mime-database, and
# (where GIO is at hand) presets are recognised by extension and, without one, by
# their content.
set -eu
mime_xml=$1
data_dir=$2
command -v update-mime-database >/dev/null || { echo "update-mime-database missing: skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/share/mime/packages" "$work/files"
cp "$mime_xml" "$work/share/mime/packages/patchwright.xml"
update-mime-database "$work/share/mime" >/dev/null 2>&1
command -v gio >/dev/null || { echo "gio missing: recognition not checked"; exit 0; }

type_of() {
    XDG_DATA_DIRS="$work/share:/usr/share" gio info -a standard::content-type "$1" |
        sed -n 's/.*standard::content-type: //p'
}
expect() {
    got=$(type_of "$1")
    [ "$got" = "$2" ] || { echo "$1: expected $2, got $got"; exit 1; }
}
cp "$data_dir/crunch_time.rp150p" "$data_dir/dual_amp_lead.rp355p" "$data_dir/pluck_funk.g4p" \
    "$work/files/"
cp "$data_dir/surfs_up.rp255p" "$work/files/surfs_up"
expect "$work/files/crunch_time.rp150p" application/x-rp150-preset
expect "$work/files/dual_amp_lead.rp355p" application/x-rp355-preset
expect "$work/files/pluck_funk.g4p" application/x-g4-preset
expect "$work/files/surfs_up" application/x-rp255-preset
echo "preset types recognised"
