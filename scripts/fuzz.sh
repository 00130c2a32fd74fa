#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for a number of seconds, one after
# the other, starting from the seeds in fuzz/corpus/<target>/ and a working
# corpus kept in the build folder, so the seeds in the source stay as they are.
#   scripts/fuzz.sh SECONDS [TARGET ...]     e.g. scripts/fuzz.sh 600
#                                                 scripts/fuzz.sh 10 image_decoder
# Targets: image_decoder ini_file number_text task_file xls_book xlsx_book.
# IDPHOTO_FUZZ_BUILD_DIR    the build folder (default build-fuzz)
# IDPHOTO_FUZZ_WORK         the working corpora and crash files (default BUILD/fuzz-work)
# Prints runs, time, crashes and corpus size per target; exits non-zero when
# any target crashed, leaked, hung or broke a property.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
all_targets=(image_decoder ini_file number_text task_file xls_book xlsx_book)

if [ $# -lt 1 ] || ! [[ "$1" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 SECONDS [TARGET ...]   (targets: ${all_targets[*]})" >&2
  exit 2
fi
seconds="$1"; shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "unknown target: $t (targets: ${all_targets[*]})" >&2; exit 2; }
done

# The longest input worth trying: above the largest seed, small enough to stay quick.
max_len() {
  case "$1" in
    number_text) echo 64 ;;
    ini_file | task_file) echo 4096 ;;
    *) echo 16384 ;;
  esac
}

"$root/scripts/install-deps.sh"

build_dir="${IDPHOTO_FUZZ_BUILD_DIR:-$root/build-fuzz}"
work="${IDPHOTO_FUZZ_WORK:-$build_dir/fuzz-work}"
echo "== build the fuzz targets in $build_dir"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DIDPHOTO_FUZZ=ON
fi
cmake --build "$build_dir" --parallel "$(nproc)" --target "${targets[@]/%/_fuzz}"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
# FreeXL loses a few bytes inside freexl_open on some damaged workbooks; a
# fault of the library that the program cannot mend, so never reported.
export LSAN_OPTIONS="suppressions=$root/fuzz/known-leaks.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

summary=()
failed=0
for t in "${targets[@]}"; do
  corpus="$work/$t/corpus"
  crashes="$work/$t/crashes"
  log="$work/$t/last-run.log"
  mkdir -p "$corpus" "$crashes"
  before=$(find "$crashes" -type f | wc -l)
  options=(-max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=60
           # A picture within the program's bounds may take 600 MB and more
           # to decode: the limits let it, and still catch anything larger.
           -rss_limit_mb=2560 -malloc_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$crashes/")
  [ -f "$root/fuzz/dictionaries/$t.dict" ] && options+=(-dict="$root/fuzz/dictionaries/$t.dict")
  echo "== fuzz $t for $seconds s (log: $log)"
  start=$(date +%s)
  status=0
  "$build_dir/fuzz/${t}_fuzz" "${options[@]}" "$corpus" "$root/fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  elapsed=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(( $(find "$crashes" -type f | wc -l) - before ))
  if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1 # stopped without leaving an input: the log says why
  fi
  files=$(find "$corpus" -type f | wc -l)
  kb=$(find "$corpus" -type f -printf '%s\n' | awk '{s += $1} END {printf "%d", (s + 1023) / 1024}')
  line=$(printf '%-14s runs %9s  time %5s s  crashes %s  corpus %s files (%s KB)' \
         "$t" "${runs:-?}" "$elapsed" "$found" "$files" "$kb")
  echo "$line"
  summary+=("$line")
  if [ "$found" -ne 0 ]; then
    failed=1
    grep -E '^(==[0-9]+==ERROR|==== property violated| +at /|SUMMARY|artifact_prefix)' "$log" | head -20 || true
  fi
done

echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$failed"
