#!/bin/sh
# Runs the windowed show on a virtual display, releases Escape in its window
# and expects the process to end with exit code 0. The show runs in a copy
# of the generated show directory.
rewind="$1"
workdir=$(mktemp -d)
cd "$workdir" || exit 1
cp -r "$2"/. . || exit 1
"$rewind" -win &
pid=$!
window=""
for attempt in $(seq 1 100); do
    window=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "no window appeared"
    kill "$pid" 2>/dev/null
    exit 1
fi
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the show ended before Escape was released"
    exit 1
fi
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --clearmodifiers Escape
# Start-up loads every picture and object before the first key is read.
for attempt in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    echo "the show did not end on Escape"
    kill "$pid"
    exit 1
fi
wait "$pid"
code=$?
rm -rf "$workdir"
echo "the show ended with exit code $code"
[ "$code" -eq 0 ]
