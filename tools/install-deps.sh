#!/usr/bin/env bash
# Installs the Debian 12 packages tovi needs to build, run and test, and only
# those that are missing. Runs apt-get as root, or through sudo otherwise.
set -euo pipefail

if [[ "${1:-}" == "--help" || "${1:-}" == "-h" ]]; then
    echo "usage: tools/install-deps.sh   install missing build and test packages (Debian 12)"
    exit 0
fi

packages=(
    cmake g++ make pkg-config git
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libopenmpt-dev libpng-dev
    xvfb xdotool x11-utils imagemagick libx11-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "install-deps: all packages present"
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    as_root=()
else
    as_root=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
