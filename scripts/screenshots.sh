#!/usr/bin/env bash
# Regenerates the README's screenshots: the replay test plays a session on the headless
# backend and writes the title, a game and the game-over screen as the program presented them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target replay_test
mkdir -p docs/screenshots
ZEPHYX_SCREENSHOT_DIR="$PWD/docs/screenshots" ./build/default/tests/app/replay_test 2>/dev/null
# The test writes uncompressed PNGs; squeeze them when ImageMagick is there.
if command -v convert >/dev/null; then
    for shot in docs/screenshots/*.png; do
        convert "$shot" -define png:compression-level=9 "$shot"
    done
fi
