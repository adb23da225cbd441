#!/bin/sh
# Every executable answers --help and --version, and refuses an unknown
# option with its usage on standard error and exit code 2, as GNU programs
# do. Usage: command_lines.sh BUILD_DIR VERSION
build="$1"
version="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }
cd "$scratch" || exit 1

for program in rewind rewind-capture rewind-forge rewind-inspect; do
    "$build/$program" --help >out 2>err || fail "$program --help: exit code $?"
    head -n 1 out | grep -q "^usage: $program " || fail "$program --help: no usage on standard output"
    [ -s err ] && fail "$program --help wrote to standard error"

    "$build/$program" --version >out 2>err || fail "$program --version: exit code $?"
    [ "$(cat out)" = "$program $version" ] || fail "$program --version said: $(cat out)"

    "$build/$program" --no-such-option >out 2>err
    code=$?
    [ "$code" -eq 2 ] || fail "$program --no-such-option: exit code $code, not 2"
    [ -s out ] && fail "$program --no-such-option wrote to standard output"
    grep -q "^usage: $program " err || fail "$program --no-such-option: no usage on standard error"
done
# Nothing but the answers: no data directory was needed and nothing was written.
[ "$(ls)" = "$(printf 'err\nout')" ] || fail "files were left behind: $(ls)"
echo "every executable answers --help and --version and refuses an unknown option"
