#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
# once in a normal build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Set IDPHOTO_SKIP_SANITIZERS=1 to run only the first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
# Tests must not depend on a desktop session of the machine they run on.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

echo "== build and test"
"$root/scripts/build.sh" "$root/build-test"
ctest --test-dir "$root/build-test" --output-on-failure --timeout 300

if [ "${IDPHOTO_SKIP_SANITIZERS:-0}" != "1" ]; then
  echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
  "$root/scripts/build.sh" "$root/build-sanitize" -DIDPHOTO_SANITIZE=ON -DIDPHOTO_BUILD_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure --timeout 600
fi
