#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12, as root
# and without questions. Packages already present are left alone.
set -euo pipefail

packages=(
    build-essential cmake ninja-build clang libclang-rt-14-dev
    qt6-base-dev qt6-serialport-dev libgl-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    gcc-avr binutils-avr avr-libc srecord
    xvfb xauth fonts-liberation2 fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
