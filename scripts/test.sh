#!/usr/bin/env bash
# Builds everything on a fresh Debian 12 machine and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

echo "== Windows build against the real Windows headers"
cmake --preset windows
cmake --build --preset windows
cpack --preset windows  # the zip, which the package tests unzip and start under Wine

echo "== Browser build with emscripten (played in Chromium by the Linux tests)"
cmake --preset web
cmake --build --preset web

echo "== Linux build and tests (the package tests make the .deb and .tar.gz with cpack)"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== Sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

