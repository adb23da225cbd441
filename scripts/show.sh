#!/usr/bin/env bash
# Sets up the machine, builds rewind and runs the show. Arguments go to the
# show ("-win" for a window instead of full screen).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh

# The show reads its data from the current directory: the generated show
# directory once the build makes one, else the checkout.
show_dir=.
[ -d build/show ] && show_dir=build/show
cd "$show_dir"
exec "$OLDPWD/build/rewind" "$@"
