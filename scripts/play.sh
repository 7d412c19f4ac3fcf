#!/usr/bin/env bash
# Builds ZEPHYX on a fresh Debian 12 machine and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup play
cmake --preset default
cmake --build --preset default --target zephyx
exec ./build/default/zephyx
