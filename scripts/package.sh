#!/usr/bin/env bash
# Builds rewind and makes its Debian package, build/rewind_VERSION_amd64.deb,
# then checks it with lintian when lintian is installed
# (apt-get install lintian). Install it with: sudo apt install ./build/rewind_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
# Everything the package holds; the tests are left to scripts/test.sh.
bash scripts/build.sh rewind rewind-capture rewind-forge rewind-inspect show_data packaged_files

cd build
cpack -G DEB >/dev/null
deb=$(ls -t rewind_*_amd64.deb | head -n 1)
echo "package: build/$deb"
if command -v lintian >/dev/null 2>&1; then
  lintian --info "$deb" || true
else
  echo "package: lintian is not installed (apt-get install lintian); the package was not checked"
fi
