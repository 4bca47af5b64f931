#!/usr/bin/env bash
# Installs the Debian packages Patchwright needs to build and test, if any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libpugixml-dev nlohmann-json3-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth
)
if [ "${PW_WITH_EXTRAS:-0}" = 1 ]; then packages+=(imagemagick); fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing build packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
