#!/usr/bin/env bash
# Builds and runs the benchmarks on a real photo (from Debian's
# mate-backgrounds), comparing the JPEG size limit with ImageMagick's through
# Magick++; both packages are installed here when missing, for the
# benchmarks only.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
missing=()
for p in mate-backgrounds libmagick++-6.q16-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
export IDPHOTO_BENCH_PHOTO="${IDPHOTO_BENCH_PHOTO:-/usr/share/backgrounds/mate/nature/LadyBird.jpg}"
export QT_QPA_PLATFORM=offscreen
"$root/scripts/build.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DIDPHOTO_BUILD_TESTS=OFF
for b in "$root"/build-bench/bench/*_bench; do
  "$b" "$@"
done
