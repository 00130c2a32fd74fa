#!/usr/bin/env bash
# Builds the program in Release and makes its Debian package with CPack:
#   scripts/package.sh            → build-package/idphoto_<version>_<arch>.deb
# Install it on another Debian 12 machine with: sudo apt install ./idphoto_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-package"
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DIDPHOTO_BUILD_TESTS=OFF -DIDPHOTO_BUILD_BENCH=OFF
(cd "$build" && cpack -G DEB)
ls "$build"/idphoto_*.deb
