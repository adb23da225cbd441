#!/usr/bin/env bash
# Builds the libraries the page links (SDL2, libjpeg-turbo, FreeType, mpg123, KissFFT) to
# WebAssembly from Debian's own source packages, into one static prefix kept in a cache outside
# the checkout. The prefix's name carries the source versions and a hash of this
# script, so a new version or a changed recipe builds a fresh prefix; an existing one is reused.
# Usage: scripts/web-deps.sh        prints the prefix path on its last line.
# Needs the deb-src line and emscripten (scripts/web.sh installs both).
set -euo pipefail

cache_root=${REWIND_WEB_CACHE:-/var/cache/rewind-web}
source_packages=(libsdl2 libjpeg-turbo freetype mpg123 kissfft)

# emscripten's JS tools need Debian's node modules; node's built-in fetch breaks the generated
# loader when CMake runs a try-run through node.
export NODE_PATH=/usr/share/nodejs
emulator="/usr/bin/node;--no-experimental-fetch"
# emcc runs through the first python3 on the PATH; Debian's own needs no version manager's shim.
[ -x /usr/bin/python3 ] && export EMSDK_PYTHON=/usr/bin/python3

versions=""
for package in "${source_packages[@]}"; do
  version=$(apt-cache showsrc "$package" | awk '/^Version:/ { print $2; exit }')
  [ -n "$version" ] || { echo "web-deps: no source package $package (is the deb-src line there?)" >&2; exit 1; }
  versions+="$package=$version "
done
key=$( { echo "$versions"; cat "$0"; } | sha256sum | cut -c1-16)
prefix="$cache_root/deps-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/rewind-web-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix"
jobs=$(nproc)
log="$work/log" # each library's build writes its own, in a subshell

step() { echo "web-deps: $*" >&2; }
fail() { tail -n 40 "$log" >&2; echo "web-deps: building $1 failed" >&2; exit 1; }

fetch() { # fetch PACKAGE -> prints the unpacked source directory
  local package=$1
  mkdir -p "$work/$package"
  # Some mirrors lack the upstream signatures (.asc) that a .dsc lists; apt
  # then refuses to unpack. Nothing here checks signatures (the machine has
  # no upstream keys), so unpack without them: the checksums still hold.
  (cd "$work/$package" && apt-get source --only-source --download-only -qq "$package" >>"$log" 2>&1) || true
  (cd "$work/$package" && sed -i '/\.asc$/d' ./*.dsc && dpkg-source -x ./*.dsc source >>"$log" 2>&1) ||
    fail "$package (apt-get source)"
  echo "$work/$package/source"
}

cmake_build() { # cmake_build NAME SOURCE_DIR [CMAKE OPTIONS...]
  local name=$1 source=$2
  shift 2
  [ -d "$source" ] || fail "$name (no source)"
  emcmake cmake -S "$source" -B "$work/$name-build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1 || fail "$name (configure)"
  cmake --build "$work/$name-build" -j "$jobs" >>"$log" 2>&1 || fail "$name (build)"
  cmake --install "$work/$name-build" >>"$log" 2>&1 || fail "$name (install)"
}

step "building into $prefix ($versions)"
SECONDS=0

build_jpeg() {
  # No SIMD: its assembly targets x86 and Arm, not WebAssembly.
  cmake_build libjpeg-turbo "$(fetch libjpeg-turbo)" -DWITH_SIMD=0 -DENABLE_SHARED=0 -DENABLE_STATIC=1 \
    -DWITH_TURBOJPEG=0
}

build_freetype() {
  cmake_build freetype "$(fetch freetype)" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

build_kissfft() {
  cmake_build kissfft "$(fetch kissfft)" -DKISSFFT_DATATYPE=float -DKISSFFT_STATIC=ON -DKISSFFT_TEST=OFF \
    -DKISSFFT_TOOLS=OFF -DKISSFFT_PKGCONFIG=ON -DKISSFFT_OPENMP=OFF
}

build_mpg123() {
  local source
  source=$(fetch mpg123)
  # Its CMake file calls check_type_size without including the module that defines it.
  sed -i '1i include(CheckTypeSize)' "$source/ports/cmake/src/CMakeLists.txt"
  cmake_build mpg123 "$source/ports/cmake" -DBUILD_PROGRAMS=OFF -DBUILD_LIBOUT123=OFF
}

# SDL's own build system spends most of its time on some 200 configure
# checks, each a whole emcc run. Its source carries a ready configuration
# for emscripten (SDL_config.h picks SDL_config_emscripten.h), so the
# library is compiled here directly: the core, then the emscripten back ends
# and the stand-ins for what a page lacks (threads, haptics, sensors).
build_sdl2() {
  local source
  source=$(fetch libsdl2)
  local core="src src/atomic src/audio src/cpuinfo src/dynapi src/events src/file src/haptic src/joystick
    src/locale src/misc src/power src/render src/render/opengles2 src/render/software src/sensor src/stdlib
    src/thread src/timer src/video src/video/yuv2rgb"
  local backends="src/audio/emscripten src/audio/dummy src/audio/disk src/video/emscripten src/video/dummy
    src/joystick/emscripten src/joystick/virtual src/power/emscripten src/filesystem/emscripten
    src/locale/emscripten src/misc/emscripten src/timer/unix src/haptic/dummy src/loadso/dlopen
    src/sensor/dummy src/thread/generic"
  local objects="$work/sdl2-objects"
  mkdir -p "$objects"
  local directory
  for directory in $core $backends; do
    find "$source/$directory" -maxdepth 1 -name '*.c'
  done | xargs -P "$jobs" -I{} sh -c \
    'emcc -O2 -w -I"$1/include" -c "$2" -o "$3/$(echo "$2" | md5sum | cut -c1-12).o"' sh "$source" {} "$objects" \
    >>"$log" 2>&1 || fail "libsdl2 (compile)"
  mkdir -p "$prefix/lib" "$prefix/include/SDL2"
  emar rcs "$prefix/lib/libSDL2.a" "$objects"/*.o >>"$log" 2>&1 || fail "libsdl2 (archive)"
  cp "$source"/include/*.h "$prefix/include/SDL2/"
}

# The libraries build side by side: most of the time goes to configure
# checks, one compiler run after another, which leave the second core idle.
run_all() { # run_all NAME... : builds them side by side, each with its own log
  local name pids=() names=()
  for name in "$@"; do
    (log="$work/$name.log"; "build_$name") &
    pids+=($!)
    names+=("$name")
  done
  local index failed=0
  for index in "${!pids[@]}"; do
    wait "${pids[$index]}" || { failed=1; step "${names[$index]} failed"; }
  done
  [ "$failed" -eq 0 ] || exit 1
}
run_all sdl2 jpeg freetype kissfft mpg123

touch "$prefix/.complete"
step "done in ${SECONDS} s"
echo "$prefix"
