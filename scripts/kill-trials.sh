#!/usr/bin/env bash
# Kills writers of the program's files with SIGKILL at random moments, then
# checks that each file is whole (byte-equal to its old or its new content)
# and that the program's start-up clean-up leaves no temporary file behind.
#   scripts/kill-trials.sh [TRIALS] [BUILD_DIR]
# TRIALS per kind of file (default 100); BUILD_DIR (default build-test) is
# where the helper write_trial is built. The trials run under $TMPDIR (/tmp).
# Exits non-zero when any file was torn or anything was left over.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
trials="${1:-100}"
build="${2:-$root/build-test}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$root" -B "$build" "${generator[@]}" >/dev/null
fi
cmake --build "$build" --target write_trial >/dev/null
helper="$build/tests/write_trial"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The file a kind of trial writes, inside its trial folder.
trial_file() {
  case "$1" in
    settings) echo "$2/settings/set.dll" ;;
    task) echo "$2/settings/批截任务.ini" ;;
    image) echo "$2/out/trial.jpg" ;;
  esac
}

# The files in the settings and output folders that are none of the
# program's own: what a write cut short left there.
strays() {
  find "$1/settings" "$1/out" -maxdepth 1 -type f \
    ! -name set.dll ! -name 批截任务.ini ! -name trial.jpg | wc -l
}

failed=0
for kind in settings task image; do
  torn=0
  left_by_kills=0
  leftovers=0
  for ((i = 1; i <= trials; i++)); do
    dir="$work/$kind-$i"
    mkdir "$dir"
    "$helper" prepare "$kind" "$dir"
    file="$(trial_file "$kind" "$dir")"

    "$helper" write "$kind" "$dir" &
    writer=$!
    # A moment within the first second: past start-up, through several writes.
    sleep "$(printf '0.%03d' $((RANDOM % 1000)))"
    kill -KILL "$writer"
    { wait "$writer"; } 2>/dev/null || true

    if ! cmp -s "$file" "$dir/expected.old" && ! cmp -s "$file" "$dir/expected.new"; then
      torn=$((torn + 1))
    fi
    left_by_kills=$((left_by_kills + $(strays "$dir")))
    # The program starts again later: whatever the kill left is older than a minute by then.
    find "$dir/settings" "$dir/out" -maxdepth 1 -type f -exec touch -d '2 minutes ago' {} +
    "$helper" start "$dir"
    leftovers=$((leftovers + $(strays "$dir")))
    rm -rf "$dir"
  done
  printf '%-8s trials %d  torn files %d  leftovers %d  (temporaries left by the kills, before start-up: %d)\n' \
    "$kind" "$trials" "$torn" "$leftovers" "$left_by_kills"
  if [ "$torn" -ne 0 ] || [ "$leftovers" -ne 0 ]; then
    failed=1
  fi
done
exit "$failed"
