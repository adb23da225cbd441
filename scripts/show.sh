#!/usr/bin/env bash
# Sets up the machine, builds rewind (which generates its data files into
# build/show/) and runs the show from there. Arguments go to the show ("-win"
# for a window instead of full screen). Without a display the show is
# rendered headless into build/show.mp4 instead, with its music.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
# The show, its headless twin and its data files; the tests are left to scripts/test.sh.
bash scripts/build.sh rewind rewind-capture show_data

cd build/show
# SDL opens a window through X11 or Wayland, and finds them through these.
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ../rewind "$@"
fi
video="$(cd .. && pwd)/show.mp4"
echo "show: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); rendering the show into $video"
../rewind-capture --video "$video"
echo "show: the show is in $video"
