#!/usr/bin/env bash
# Renders the program's icon resources/icons/idphoto.svg into the PNG sizes
# the desktop wants (packaging/icons/<size>.png). The PNGs are checked in, so
# neither the build nor the install needs a renderer; run this again after a
# change of the SVG. Needs rsvg-convert (Debian's librsvg2-bin), installed here when missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
command -v rsvg-convert >/dev/null || { SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo; $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin; }
mkdir -p "$root/packaging/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$root/resources/icons/idphoto.svg" \
    -o "$root/packaging/icons/${size}.png"
done
