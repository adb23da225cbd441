#!/usr/bin/env bash
# Sets up the machine, builds rewind and runs the show.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh

if [ -x build/rewind ]; then
  exec build/rewind "$@"
fi
echo "rewind: the libraries and tests are built in build/; the show itself is not part of the tree yet."
