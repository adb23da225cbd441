#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test. Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh "$@"

build_dir=build
[ "${1:-}" = "--sanitize" ] && build_dir=build-sanitize
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"

# The page in a browser, once, in the plain build.
if [ "$build_dir" = build ]; then
  bash scripts/web.sh --build-only
  bash tests/web/run.sh
fi
