#!/usr/bin/env bash
# Sets up the machine, builds rewind (which generates its data files into
# build/show/) and runs the show from there. Arguments go to the show ("-win"
# for a window instead of full screen).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh

cd build/show
exec ../rewind "$@"
