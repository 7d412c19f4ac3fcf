#!/usr/bin/env bash
# Builds the browser version and serves it on 127.0.0.1 with a small static server; open the
# printed address in a browser. A page opened from file:// cannot load its .wasm, hence the
# server. Only the page's own files are served: the build stages them in build/web/site.
# ZEPHYX_WEB_PORT picks another port than 8080.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zephyx_setup web
cmake --preset web
cmake --build --preset web
port=${ZEPHYX_WEB_PORT:-8080}
echo
echo "Open http://127.0.0.1:$port/zephyx.html in a browser (Ctrl+C stops the server)."
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
