#!/usr/bin/env bash
# Builds everything on a fresh Debian 12 machine and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

echo "== Windows build against the real Windows headers"
cmake --preset windows
cmake --build --preset windows

echo "== Browser build with emscripten (played in Chromium by the Linux tests)"
cmake --preset web
cmake --build --preset web

echo "== Linux build and tests"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== Sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

