#!/usr/bin/env bash
# Builds everything on a fresh Debian 12 machine and runs every test; the last line sums up
# what ran and passed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup test

SUMMARY=()

# Starts a stage, saying how long the run has taken so far, so a slow stage shows in the log.
stage() {
    printf '== %s (at %d:%02d)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60))
}

elapsed() {
    printf '%d:%02d' $((SECONDS / 60)) $((SECONDS % 60))
}

summary() {
    local joined
    joined=$(printf '%s; ' "${SUMMARY[@]}")
    echo "${joined%; }"
}

# Runs a test preset, its output also kept in build/, and notes how it went.
run_tests() {
    local preset=$1 log="build/ctest-$1.log"
    local status=0
    stage "Tests: $preset"
    ctest --preset "$preset" 2>&1 | tee "$log" || status=$?
    local total failed skipped
    total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
    failed=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -1)
    skipped=$(grep -c '(Skipped)$' "$log" || true)
    SUMMARY+=("$preset: $((${total:-0} - ${failed:-0} - skipped)) of ${total:-0} tests passed, ${failed:-?} failed, $skipped skipped")
    if [ "$status" -ne 0 ]; then
        echo "test.sh: FAILED after $(elapsed). $(summary)"
        exit "$status"
    fi
}

stage "Windows build against the real Windows headers"
cmake --preset windows
cmake --build --preset windows
cpack --preset windows  # the zip, which the package tests unzip and start under Wine
SUMMARY+=("Windows build done")

stage "Browser build with emscripten (played in Chromium by the Linux tests)"
cmake --preset web
cmake --build --preset web

stage "Linux build and tests (the package tests make the .deb and .tar.gz with cpack)"
cmake --preset default
cmake --build --preset default
run_tests default

stage "Sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
run_tests asan

echo "test.sh: all passed in $(elapsed). $(summary)"
