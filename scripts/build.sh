#!/usr/bin/env bash
# Configures and builds into the given folder; further arguments go to CMake.
#   scripts/build.sh BUILD_DIR [-DOPTION=VALUE ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$1"; shift
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# ccache, when there, shares compiled objects between build folders and clones.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build_dir" "${generator[@]}" "${launcher[@]}" "$@"
else
  cmake -S "$root" -B "$build_dir" "$@" >/dev/null
fi
cmake --build "$build_dir" --parallel "$(nproc)"
