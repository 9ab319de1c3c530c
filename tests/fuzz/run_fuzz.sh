#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs each fuzz target for SECONDS seconds from its committed seeds and
# judges it by its exit status alone. The whole output of every target,
# sanitizer stacks included, stays in FUZZ_DIR/logs/fuzz_<target>.log; a
# finding's input is written to FUZZ_DIR/artifacts/. New inputs go to a
# scratch folder, never into the committed corpus. Every target runs even
# when an earlier one failed; the script fails when any did.
set -uo pipefail

usage() { echo "usage: run_fuzz.sh FUZZ_DIR SECONDS TARGET..." >&2; exit 2; }
[ $# -ge 3 ] || usage
fuzz_dir=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
logs=$fuzz_dir/logs
artifacts=$fuzz_dir/artifacts
mkdir -p "$logs" "$artifacts"

# Suppressions of allocations that LeakSanitizer cannot see are still held
# (see the file), the same as for the sanitizer build's tests.
export LSAN_OPTIONS=suppressions=$here/../sanitizer/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# What differs between targets: how long an input may grow, and flags.
#  - Designs and saved settings up to a few times the size of the real ones:
#    parsing cost grows with the input, and nothing in them needs more.
#  - Pastes up to 256 bytes: the field keeps six characters at most, and
#    every rule a paste meets (the first line only, whole surrogate pairs,
#    the limit) is decided within the first few; longer texts only cost
#    more. At 64 KiB the inputs grew until a run slowed to a quarter of its
#    speed.
#  - Picture files up to 64 KiB, the default: room for an icon of many
#    frames or a JPEG with real image data, and the decoders check each
#    declared size before they allocate, so longer inputs only cost more.
#  - The paste target skips libFuzzer's leak check after each input that
#    allocates more than it frees: that check scans the whole heap, and Qt's
#    glyph and font caches grow with most new texts the field lays out, so it
#    would scan after nearly every input. Leaks are still checked at exit.
options_for() {
  case $1 in
    property_bag | form_design) echo "-max_len=16384" ;;
    paste) echo "-max_len=256 -detect_leaks=0" ;;
    *) echo "-max_len=65536" ;;
  esac
}

stat() {  # the value of one of libFuzzer's final statistics in a log
  sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

failed=()
for target in "$@"; do
  program=$fuzz_dir/tests/fuzz/fuzz_$target
  log=$logs/fuzz_$target.log
  scratch=$(mktemp -d)
  echo "fuzz_$target: $seconds s"
  # -entropic_scale_per_exec_time: inputs that take long (a damaged picture
  # declaring a huge size) get less of the fuzzer's time than fast ones.
  # -reload=0: no other process adds to the corpus, nothing to re-read.
  # shellcheck disable=SC2046
  "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -entropic_scale_per_exec_time=1 -reload=0 $(options_for "$target") \
    -artifact_prefix="$artifacts/fuzz_$target-" "$scratch" "$here/corpus/$target" >"$log" 2>&1
  status=$?
  rm -rf "$scratch"
  runs=$(stat number_of_executed_units "$log")
  rate=$(stat average_exec_per_sec "$log")
  if [ "$status" -eq 0 ]; then
    echo "fuzz_$target: passed, ${runs:-?} executions (${rate:-?} a second)"
  else
    failed+=("fuzz_$target")
    echo "fuzz_$target: FAILED with exit status $status after ${runs:-?} executions"
    echo "  whole report: $log"
    grep -E "Test unit written to" "$log" | sed 's/^/  /'
    echo "  ---- the report's last lines ----"
    tail -n 40 "$log" | sed 's/^/  /'
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
