#!/bin/sh
# Makes the Debian package from the build and checks it against the install:
# the same files under /usr, and the control fields apt needs.
# Usage: package_contents.sh BUILD_DIR VERSION
build="$1"
version="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb="$scratch/package/rewind_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch/package")"

# The package's files are the install's, with the prefix /usr.
cmake --install "$build" --prefix "$scratch/root/usr" >/dev/null || fail "cmake --install failed"
(cd "$scratch/root" && find . -type f | sort) >"$scratch/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$scratch/packaged"
diff "$scratch/installed" "$scratch/packaged" || fail "the package's files differ from the install's"
for file in ./usr/bin/rewind ./usr/bin/rewind-capture ./usr/bin/rewind-forge ./usr/bin/rewind-inspect \
            ./usr/share/rewind/demo.ini ./usr/share/rewind/music.mp3 ./usr/share/applications/rewind.desktop \
            ./usr/share/icons/hicolor/48x48/apps/rewind.png ./usr/share/icons/hicolor/256x256/apps/rewind.png \
            ./usr/share/man/man6/rewind.6.gz ./usr/share/man/man1/rewind-capture.1.gz \
            ./usr/share/doc/rewind/copyright ./usr/share/doc/rewind/changelog.gz; do
    grep -qx "$file" "$scratch/packaged" || fail "not in the package: $file"
done

dpkg-deb -I "$deb" >"$scratch/control" || fail "dpkg-deb -I failed"
field() { sed -n "s/^ $1: //p" "$scratch/control"; }
[ "$(field Package)" = rewind ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = video ] || fail "Section: $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
# From dpkg-shlibdeps: the C library and the libraries the show links; by hand: the font.
for dependency in libc6 libsdl2-2.0-0 fonts-liberation2; do
    field Depends | tr ',' '\n' | grep -q "^ *$dependency\b" || fail "Depends lacks $dependency: $(field Depends)"
done
# The executables are stripped: no debugging sections.
dpkg-deb -x "$deb" "$scratch/unpacked"
for program in rewind rewind-capture rewind-forge rewind-inspect; do
    readelf -S "$scratch/unpacked/usr/bin/$program" | grep -q '\.debug_' && fail "$program is not stripped"
done
echo "the package holds the install's $(wc -l <"$scratch/packaged") files"
