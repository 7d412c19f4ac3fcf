#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need, when any is missing.
# Sourced by play.sh and test.sh; safe to run again.
set -euo pipefail

ZEPHYX_PACKAGES=(
    build-essential cmake ninja-build clang libclang-rt-14-dev libfuzzer-14-dev
    googletest libgtest-dev libbenchmark-dev
    libsdl2-dev libfreetype-dev libfontconfig-dev fonts-ipafont-mincho fonts-dejavu-core
    mingw-w64 wine wine64 xvfb xauth xdotool imagemagick
    python3
)

zephyx_missing_packages() {
    local package
    for package in "${ZEPHYX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            echo "$package"
    done
}

zephyx_install_packages() {
    local missing
    missing=$(zephyx_missing_packages)
    [ -z "$missing" ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: $(echo $missing)"
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

zephyx_install_packages
