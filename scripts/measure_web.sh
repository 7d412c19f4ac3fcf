#!/usr/bin/env bash
# Builds the browser version and measures it in headless Chromium (scripts/measure_web.py):
# the work per frame, frames per second and the transferred size. MEASURE_SECONDS sets the
# time in each state (10).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup test
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
# Debian's Selenium is installed for Debian's own Python.
exec /usr/bin/python3 scripts/measure_web.py build/web/site "${MEASURE_SECONDS:-10}"
