#!/bin/sh
# Renders chosen show times headless and expects one PNG per time; a bad
# option is refused with exit code 2.
capture="$1"
show="$2"
workdir=$(mktemp -d)
cd "$workdir" || exit 1
cp -r "$show"/. . || exit 1
"$capture" --times 0,24752,24753,250000,250001,271000 --out frames || { echo "capture failed"; exit 1; }
for time in 000000 024752 024753 250000 250001 271000; do
    file="frames/time-$time.png"
    if [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
        echo "missing or not a PNG: $file"
        exit 1
    fi
done
"$capture" --times 5,3 --out frames 2>/dev/null
[ $? -eq 2 ] || { echo "falling times were not refused"; exit 1; }
"$capture" --out frames --scale 9 2>/dev/null
[ $? -eq 2 ] || { echo "a bad scale was not refused"; exit 1; }
rm -rf "$workdir"
echo "six frames written"

# Without its scene the show ends before its first frame, saying why.
workdir=$(mktemp -d)
cd "$workdir" || exit 1
cp -r "$show"/. . || exit 1
rm obj/a.scene
message=$("$capture" --times 0 --out frames 2>&1)
[ -z "$(ls frames 2>/dev/null)" ] || { echo "frames were written without a scene"; exit 1; }
echo "$message" | grep -q "cannot load the scene" || { echo "no reason given: $message"; exit 1; }
rm -rf "$workdir"
