#!/usr/bin/env bash
# Configures and builds rewind. Usage: scripts/build.sh [--sanitize] [TARGET...]
# The plain build goes to build/, the sanitizer build to build-sanitize/.
# Without targets everything is built, the tests included.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  options=(-DCMAKE_BUILD_TYPE=Debug -DREWIND_SANITIZE=ON)
  shift
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$build_dir" --target "$@"
else
  cmake --build "$build_dir"
fi
