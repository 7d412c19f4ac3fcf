#!/usr/bin/env bash
# Installs the Debian packages a command needs, when any is missing, and the tests' npm packages.
# Sourced by play.sh (what building and playing the Linux program needs), web.sh (and the browser
# build) and test.sh (all that and everything the tests need); `bash scripts/setup.sh
# [play|web|test]` does the same by itself (test when not said).
# Safe to run again. apt's own output goes to a log of each command's own,
# build/setup-play.log, build/setup-web.log or build/setup-test.log, so one command's install
# never overwrites another's.
set -euo pipefail

# One package group per line.
ZEPHYX_PLAY_PACKAGES=(
    build-essential cmake ninja-build
    libsdl2-dev
    libfreetype-dev libfontconfig-dev fonts-ipafont-mincho
    libpng-dev
)
ZEPHYX_TEST_PACKAGES=(
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev libfuzzer-14-dev
    mingw-w64
    wine wine64
    xvfb xauth xdotool x11-utils imagemagick openbox wmctrl
    libgl1-mesa-dri libegl1 libegl-mesa0 libgles2
    sway grim libwayland-dev libxkbcommon-dev
    fonts-dejavu-core
    python3 python3-xlib
    dpkg-dev desktop-file-utils appstream lintian icoutils
    chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver
)
# What drives Firefox in the browser tests: puppeteer-core, pinned in tests/e2e/package-lock.json.
ZEPHYX_TEST_NODE_MODULES=tests/e2e
# The browser build: the emscripten compiler (scripts/web.sh, and the tests).
ZEPHYX_WEB_PACKAGES=(
    emscripten
)

zephyx_missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            echo "$package"
    done
}

# One line for the step; apt's output into the log, and the log's tail when the step fails.
zephyx_setup_step() {
    local what=$1
    shift
    echo "setup: $what"
    mkdir -p "$(dirname "$ZEPHYX_SETUP_LOG")"
    if ! "$@" >>"$ZEPHYX_SETUP_LOG" 2>&1; then
        echo "setup: failed: $what; the end of $ZEPHYX_SETUP_LOG:" >&2
        tail -n 20 "$ZEPHYX_SETUP_LOG" >&2
        return 1
    fi
}

# Installs the packages given that are missing, as root or through sudo.
zephyx_install_packages() {
    local missing
    missing=$(zephyx_missing_packages "$@" | tr '\n' ' ')
    missing=${missing% }
    [ -z "$missing" ] && return 0
    local run_as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "setup: these Debian packages are missing: $missing" >&2
            echo "setup: install them as root, then run this again:" >&2
            echo "    su -c 'apt-get update && apt-get install -y $missing'" >&2
            return 1
        fi
        # sudo would drop DEBIAN_FRONTEND; env hands it over.
        run_as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
    fi
    mkdir -p "$(dirname "$ZEPHYX_SETUP_LOG")"
    : >"$ZEPHYX_SETUP_LOG"
    echo "setup: installing $missing (apt's output: $ZEPHYX_SETUP_LOG)"
    export DEBIAN_FRONTEND=noninteractive
    zephyx_setup_step "updating the package lists" "${run_as_root[@]}" apt-get update
    # shellcheck disable=SC2086
    zephyx_setup_step "installing the packages" "${run_as_root[@]}" apt-get install -y $missing
}

# npm ci into the folder, unless it has installed that lock already. Node and npm from Debian
# where the machine has no npm (another Node.js, such as NodeSource's, brings its own).
zephyx_install_node_modules() {
    local folder=$1
    [ "$folder/node_modules/.package-lock.json" -nt "$folder/package-lock.json" ] && return 0
    command -v npm >/dev/null 2>&1 || zephyx_install_packages nodejs npm
    mkdir -p "$(dirname "$ZEPHYX_SETUP_LOG")"
    zephyx_setup_step "installing the npm packages of $folder" \
        npm ci --prefix "$folder" --ignore-scripts --no-audit --no-fund
}

# sway, which the Wayland test runs, refuses root: as root (CI), the test runs it as this user.
zephyx_make_wayland_user() {
    [ "$(id -u)" -ne 0 ] && return 0
    id zephyx-wayland >/dev/null 2>&1 && return 0
    zephyx_setup_step "making the user zephyx-wayland for the Wayland test" \
        useradd --system --no-create-home --shell /usr/sbin/nologin zephyx-wayland
}

# play: building and playing; web: building the browser version; test: all of that and
# everything the tests need.
zephyx_setup() {
    local group=${1:-test}
    ZEPHYX_SETUP_LOG="${ZEPHYX_SETUP_LOG:-build/setup-$group.log}"
    case "$group" in
        play) zephyx_install_packages "${ZEPHYX_PLAY_PACKAGES[@]}" ;;
        web) zephyx_install_packages "${ZEPHYX_PLAY_PACKAGES[@]}" "${ZEPHYX_WEB_PACKAGES[@]}" ;;
        test)
            zephyx_install_packages "${ZEPHYX_PLAY_PACKAGES[@]}" "${ZEPHYX_WEB_PACKAGES[@]}" \
                "${ZEPHYX_TEST_PACKAGES[@]}"
            zephyx_make_wayland_user
            zephyx_install_node_modules "$ZEPHYX_TEST_NODE_MODULES"
            ;;
        *)
            echo "usage: bash scripts/setup.sh [play|web|test]" >&2
            return 2
            ;;
    esac
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    cd "$(dirname "$0")/.."
    zephyx_setup "${1:-test}"
fi
