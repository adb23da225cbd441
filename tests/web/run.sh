#!/usr/bin/env bash
# The browser tests: the page in build-web/ (scripts/web.sh --build-only)
# against the native build in build/. Usage: tests/web/run.sh [PICTURE_DIR]
set -euo pipefail
cd "$(dirname "$0")"
root=$(cd ../.. && pwd)

# playwright-core only drives the installed Chromium; it downloads no browser.
if [ ! -d node_modules/playwright-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
node run.js "$root/build-web" "$root/build/show" "$root/build/rewind-capture" "${1:-}"
