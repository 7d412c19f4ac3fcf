#!/usr/bin/env bash
# Builds SDL2.dll for 64-bit Windows from Debian's own SDL2 source package, the same version as
# the Linux build's libsdl2-dev, with mingw-w64 and Ninja. The result goes to a cache folder
# outside the clone, named for the version and for this script and the toolchain (which hold
# every build option), so every clone on the machine builds it once.
#
#   bash scripts/build_sdl2_windows.sh    prints the install folder (bin/SDL2.dll, include/, lib/)
#
# The game uses video, events, timers, the renderer and the pads; everything else SDL can do is
# left out, which halves the build.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
version=$(dpkg-query -W -f='${Version}' libsdl2-dev 2>/dev/null || true)
if [ -z "$version" ]; then
    echo "build_sdl2_windows: libsdl2-dev is not installed (bash scripts/setup.sh)" >&2
    exit 1
fi
options_hash=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zephyx
prefix=$cache/sdl2-${version%%+*}-mingw-$options_hash
if [ -f "$prefix/bin/SDL2.dll" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
work=$(mktemp -d "$cache/sdl2-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$work/build.log
echo "build_sdl2_windows: building SDL2 $version for Windows into $prefix (log: $log)" >&2
if ! (cd "$work" && apt-get source --download-only libsdl2="$version") >"$log" 2>&1; then
    echo "build_sdl2_windows: apt-get source libsdl2=$version failed; it needs a deb-src line" \
         "for Debian's archive (bash scripts/setup.sh adds one):" >&2
    tail -n 5 "$log" >&2
    exit 1
fi
(cd "$work" && dpkg-source --no-check -x ./*.dsc src) >>"$log" 2>&1

# Off: what the game never calls. On: video, events, timers, threads, the renderer (Direct3D,
# OpenGL and software) and the pads (XInput, DirectInput, raw input, HIDAPI).
if ! cmake -S "$work/src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$work/install" \
        -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc" \
        -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON \
        -DSDL_AUDIO=OFF -DSDL_HAPTIC=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_LOCALE=OFF \
        -DSDL_MISC=OFF -DSDL_FILESYSTEM=OFF -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF \
        -DSDL_RENDER_D3D=ON -DSDL_OPENGL=ON -DSDL_HIDAPI=ON \
        >>"$log" 2>&1 ||
   ! cmake --build "$work/build" >>"$log" 2>&1 ||
   ! cmake --install "$work/build" >>"$log" 2>&1; then
    echo "build_sdl2_windows: the build failed; the end of its log:" >&2
    tail -n 20 "$log" >&2
    exit 1
fi
# Moved into place whole, so an interrupted build never looks finished.
mv "$work/install" "$prefix"
echo "$prefix"
