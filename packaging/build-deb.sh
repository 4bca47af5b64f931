#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into build/package with the distribution's hardening and
# optimisation flags (dpkg-buildflags), then checks it with lintian. Prints the path
# of the .deb last.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh package

export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
eval "$(dpkg-buildflags --export=sh)"
# CMake reads no CPPFLAGS, so the preprocessor flags (_FORTIFY_SOURCE) go with the
# compiler's; a fresh configure makes sure the flags are the ones used.
rm -rf build/package
cmake --preset package -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build --preset package -j"$(nproc)"
(cd build/package && cpack -G DEB >/dev/null)
deb="$(ls build/package/patchwright_*.deb)"
lintian --info "$deb" || true
echo "$deb"
