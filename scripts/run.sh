#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. On a machine
# without a display it starts a virtual one (Xvfb) and says so.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DIDPHOTO_BUILD_TESTS=OFF -DIDPHOTO_BUILD_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  display=":${IDPHOTO_XVFB_DISPLAY:-99}"
  echo "No display found: starting the program on the virtual display $display (Xvfb, 1280x800)."
  echo "Look at it with: DISPLAY=$display import -window root screenshot.png"
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY="$display"
  sleep 1
fi
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$(mktemp -d)"
  chmod 700 "$XDG_RUNTIME_DIR"
fi
"$root/build/src/idphoto"
