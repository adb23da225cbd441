#!/bin/sh
# Installs into a scratch prefix and renders from directories that have
# nothing to do with the show: the frames equal the build tree's, and the
# data is found in the documented order. Usage: installed_capture.sh BUILD_DIR
build="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null || fail "cmake --install failed"
for file in bin/rewind bin/rewind-capture bin/rewind-forge bin/rewind-inspect share/rewind/demo.ini \
            share/rewind/music.mp3 share/rewind/obj/a.scene share/applications/rewind.desktop \
            share/icons/hicolor/48x48/apps/rewind.png share/icons/hicolor/256x256/apps/rewind.png \
            share/man/man6/rewind.6.gz share/man/man1/rewind-capture.1.gz share/man/man1/rewind-forge.1.gz \
            share/man/man1/rewind-inspect.1.gz share/doc/rewind/README.md share/doc/rewind/copyright; do
    [ -f "$scratch/prefix/$file" ] || fail "not installed: $file"
done

# The reference frame, from the build tree as the README runs it.
(cd "$build/show" && "$build/rewind-capture" --times 60000 --out "$scratch/reference" >/dev/null) ||
    fail "the build tree's capture failed"

# From an unrelated directory, with a relative output directory.
mkdir "$scratch/elsewhere"
(cd "$scratch/elsewhere" && "$scratch/prefix/bin/rewind-capture" --times 60000 --out frames >/dev/null) ||
    fail "the installed capture failed from an unrelated directory"
cmp "$scratch/reference/time-060000.png" "$scratch/elsewhere/frames/time-060000.png" ||
    fail "the installed capture's frame differs from the build tree's"

# A current directory with demo.ini comes before the installed data: this
# copy lacks its scene, so the show refuses to start.
mkdir "$scratch/broken"
cp -r "$scratch/prefix/share/rewind/." "$scratch/broken/"
rm "$scratch/broken/obj/a.scene"
message=$(cd "$scratch/broken" && "$scratch/prefix/bin/rewind-capture" --times 0 --out frames 2>&1)
echo "$message" | grep -q "cannot load the scene" || fail "the current directory's data was not used: $message"
# ... and REWIND_DATA comes before the current directory.
(cd "$scratch/broken" && REWIND_DATA="$scratch/prefix/share/rewind" \
    "$scratch/prefix/bin/rewind-capture" --times 0 --out frames >/dev/null 2>&1) || fail "REWIND_DATA was not used"

# Executables without data beside them, started where there is none either:
# one line on standard error naming the places, exit code 1.
mkdir -p "$scratch/lone/bin" "$scratch/empty"
cp "$scratch/prefix/bin/rewind" "$scratch/prefix/bin/rewind-capture" "$scratch/lone/bin/"
for program in rewind rewind-capture; do
    arguments=""
    [ "$program" = rewind-capture ] && arguments="--times 0 --out frames"
    # shellcheck disable=SC2086
    (cd "$scratch/empty" && env -u REWIND_DATA "$scratch/lone/bin/$program" $arguments 2>"$scratch/stderr" >/dev/null)
    code=$?
    [ "$code" -eq 1 ] || fail "$program without data: exit code $code, not 1"
    [ "$(wc -l <"$scratch/stderr")" -eq 1 ] || fail "$program without data: not one line: $(cat "$scratch/stderr")"
    grep -q "$scratch/empty, $scratch/lone/share/rewind, $scratch/lone/bin/show" "$scratch/stderr" ||
        fail "$program without data does not name the places: $(cat "$scratch/stderr")"
done
[ -z "$(ls "$scratch/empty")" ] || fail "something was written without data"
echo "the installed capture renders the build tree's frame from anywhere"
