#!/usr/bin/env bash
# Renders the golden frames anew into tests/golden/, on purpose, after the
# show's look or content changed on purpose. Look at every frame before
# committing them. The times are chosen inside the effects' slots; each frame
# is drawn after 10 lead-in frames, as the golden test draws it.
set -euo pipefail
cd "$(dirname "$0")/.."

times=(
  500 1400 1700                          # logo: whole, torn, fading
  5000 9000 12500 17300                  # fxobraz: pictures, flares, rings, bar flash
  25500                                  # fx01, first slot
  30500                                  # fxobraz, second slot
  39100 45500 59500                      # fx01: beat squeeze, blob, growing stripes
  66050 75500 90500 100500 108500        # fx04: flash, field, chess, field, render target
  113000                                 # fx06
  125000 135000                          # fxgreets: flight, names
  150000 151500                          # fx03: field, side-view cut
  180000 199500                          # fxvolu: blob, darkening stripes
  210000                                 # fx05
  225000                                 # fx07: the scene
  240000                                 # fxquill with the sign matrix
  252000 259000                          # the rewind passage over fx05 and fx04
  266000 271000                          # fxend, the end frame
)

bash scripts/build.sh
rm -f tests/golden/time-*.png
list=$(IFS=,; echo "${times[*]}")
(cd build/show && ../rewind-capture --times "$list" --lead-in 10 --out ../../tests/golden)
ls tests/golden/time-*.png | wc -l | xargs echo "golden frames written:"
