#!/usr/bin/env bash
# Builds the show as a web page into build-web/ and serves it on
# http://127.0.0.1:8000/. Usage: scripts/web.sh [--build-only]
# build-web/ is a plain static folder: any static web host can serve it as it is.
# Sets up what it needs first (emscripten, chromium, node, the deb-src line),
# then the dependency prefix (scripts/web-deps.sh, cached outside the checkout).
set -euo pipefail
cd "$(dirname "$0")/.."

serve=true
case "${1:-}" in
  --build-only) serve=false ;;
  "") ;;
  *) echo "usage: scripts/web.sh [--build-only]" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(emscripten chromium nodejs python3 dpkg-dev fonts-liberation2)
# Debian's npm conflicts with a Node.js that ships its own npm (NodeSource's does): add it only
# where no npm is installed.
command -v npm >/dev/null 2>&1 || packages+=(npm)
deb_src=/etc/apt/sources.list.d/rewind-deb-src.sources
if [ ! -f "$deb_src" ] || ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  echo "web: installing ${packages[*]} and the deb-src line"
  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' \
    'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | as_root tee "$deb_src" >/dev/null
  apt_log=$(mktemp)
  if ! { as_root apt-get update -qq &&
         as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${packages[@]}"; } \
       >"$apt_log" 2>&1; then
    cat "$apt_log" >&2
    echo "web: installing packages failed" >&2
    exit 1
  fi
  rm -f "$apt_log"
fi

cache_root=${REWIND_WEB_CACHE:-/var/cache/rewind-web}
if [ ! -w "$(dirname "$cache_root")" ] && [ ! -w "$cache_root" ]; then
  as_root install -d -o "$(id -u)" -g "$(id -g)" "$cache_root"
fi
export REWIND_WEB_CACHE=$cache_root

SECONDS=0
prefix=$(nice bash scripts/web-deps.sh | tail -n 1)
echo "web: dependency prefix $prefix (${SECONDS} s)"

# The page's data is the show directory the native forge writes.
SECONDS=0
bash scripts/setup.sh >/dev/null
bash scripts/build.sh rewind-forge show_data >/dev/null

export NODE_PATH=/usr/share/nodejs
export EMSDK_PYTHON=/usr/bin/python3
emcmake cmake -S web -B build-web-cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DREWIND_WEB_DEPS="$prefix" -DREWIND_SHOW_DIR="$PWD/build/show" -DREWIND_PAGE_DIR="$PWD/build-web" >/dev/null
cmake --build build-web-cmake
echo "web: build-web/ written (${SECONDS} s)"

if $serve; then
  echo "web: serving the show at http://127.0.0.1:8000/ (Ctrl-C stops)"
  exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web
fi
