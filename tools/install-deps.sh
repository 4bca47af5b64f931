#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing for one or more sets:
#   run    building and running the program (the default)
#   test   run, plus what the test suites and the packaging checks need (the window
#          tests compare drawings, so the fonts they are drawn in are named too)
#   bench  run, plus Google Benchmark and the baseline parser
#   fuzz   run, plus clang and its sanitizer and libFuzzer runtime
#   package  run, plus what packaging/build-deb.sh needs to make and check the .deb
# Usage: tools/install-deps.sh [SET...]    (--list prints the packages instead)
set -euo pipefail

run=(build-essential cmake ninja-build nlohmann-json3-dev qt6-base-dev libarchive-dev libtbb-dev
     libsqlite3-dev)
test=(googletest libgtest-dev libgmock-dev libpugixml-dev
      appstream desktop-file-utils man-db python3
      fonts-dejavu-core fonts-dejavu-extra)
bench=(libbenchmark-dev libpugixml-dev)
fuzz=(clang libpugixml-dev)
package=(dpkg-dev file lintian)

list=0
sets=()
for arg in "$@"; do
    case "$arg" in
        --list) list=1 ;;
        run | test | bench | fuzz | package) sets+=("$arg") ;;
        *) echo "install-deps.sh: unknown set '$arg' (choose run, test, bench, fuzz or package)" >&2; exit 2 ;;
    esac
done
[ ${#sets[@]} -eq 0 ] && sets=(run)

packages=("${run[@]}")
for set in "${sets[@]}"; do
    case "$set" in
        test) packages+=("${test[@]}") ;;
        bench) packages+=("${bench[@]}") ;;
        fuzz) packages+=("${fuzz[@]}") ;;
        package) packages+=("${package[@]}") ;;
    esac
done
if [ "$list" = 1 ]; then
    printf '%s\n' "${packages[@]}" | awk '!seen[$0]++'
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Please run as root: $*" >&2
        exit 1
    fi
}

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# libFuzzer and the sanitizer runtimes ship in a package named after clang's version.
if [[ " ${sets[*]} " == *" fuzz "* ]]; then
    major="$(clang++ -dumpversion | cut -d. -f1)"
    install_missing "libclang-rt-${major}-dev"
fi
