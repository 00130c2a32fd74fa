#!/usr/bin/env bash
# Builds and runs the benchmarks on a real photo (from Debian's
# mate-backgrounds, installed when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
if ! dpkg-query -W -f='${Status}' mate-backgrounds 2>/dev/null | grep -q 'install ok installed'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends mate-backgrounds
fi
export IDPHOTO_BENCH_PHOTO="${IDPHOTO_BENCH_PHOTO:-/usr/share/backgrounds/mate/nature/LadyBird.jpg}"
export QT_QPA_PLATFORM=offscreen
"$root/scripts/build.sh" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DIDPHOTO_BUILD_TESTS=OFF
for b in "$root"/build-bench/bench/*_bench; do
  "$b" "$@"
done
