#!/usr/bin/env bash
# Configures and builds into the given folder; further arguments go to CMake.
#   scripts/build.sh BUILD_DIR [-DOPTION=VALUE ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="$1"; shift
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build_dir" "${generator[@]}" "$@"
else
  cmake -S "$root" -B "$build_dir" "$@" >/dev/null
fi
cmake --build "$build_dir" --parallel "$(nproc)"
