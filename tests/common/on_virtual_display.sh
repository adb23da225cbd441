#!/bin/sh
# Runs a command on a virtual X display of its own:
#   on_virtual_display.sh WIDTHxHEIGHTxDEPTH command [arguments...]
# The server picks a free display number itself (-displayfd) and reports it
# once it accepts connections, so tests that run side by side never race for
# a number; it is stopped and waited for before this script returns, so the
# next test never meets a server that is still going away. -noreset keeps
# the server up when its last client leaves: by default it resets then, and
# a client that connects during the reset (the show starting while xdotool
# polls for its window) is refused.
screen="$1"
shift
fifo_dir=$(mktemp -d) || exit 1
fifo="$fifo_dir/display"
mkfifo "$fifo" || exit 1

Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$fifo" 2>"$fifo_dir/server.log" &
server=$!
display=""
read -r display <"$fifo"
if [ -z "$display" ]; then
    echo "the virtual X server did not start:"
    cat "$fifo_dir/server.log"
    wait "$server" 2>/dev/null
    rm -rf "$fifo_dir"
    exit 1
fi

DISPLAY=":$display" "$@"
code=$?

kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$fifo_dir"
exit "$code"
