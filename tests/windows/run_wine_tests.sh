#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows build's tests under wine: every *_tests.exe in BUILD_DIR and the
# companion's own test (zorvane_calc_wine_test.sh), all in one wine prefix
# made for this run in a temporary folder, so that runs side by side never
# share a prefix or its wineserver, and removed after it. Wine gets no
# display: none of these programs has a window, and without one wine can pop
# no dialog that would wait for a click. Last, the downloads and the
# installer (installer_test.sh), which installs into a clean prefix and opens
# the window, so it makes a prefix and an X server of its own. Every test
# runs even when an earlier one failed; the script fails when any did.
# usage: run_wine_tests.sh BUILD_DIR
set -uo pipefail
build_dir=$(cd "${1:?usage: run_wine_tests.sh BUILD_DIR}" && pwd) || exit 2
here=$(cd "$(dirname "$0")" && pwd)
for tool in wine wineboot wineserver; do
  command -v "$tool" >/dev/null || { echo "run_wine_tests.sh: $tool is missing (Debian: wine, wine64)" >&2; exit 2; }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zorvane-wine.XXXXXX") || exit 2
export WINEPREFIX=$scratch/prefix
# No wine diagnostics in the programs' output; no Mono or Gecko installer
# offered, and no desktop menu entries written for the prefix.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
# Wine reads the command line in the locale's encoding; the tests pass UTF-8.
export LC_ALL=C.UTF-8

stop_wine() {
  # Only this prefix's wineserver: WINEPREFIX names it. Whatever is still
  # running after half a minute is killed.
  if ! timeout 30 wineserver -w; then
    wineserver -k
    timeout 10 wineserver -w
  fi
}
trap 'stop_wine; rm -rf "$scratch"' EXIT

started=$(date +%s%N)
if ! timeout 300 wineboot --init >"$scratch/wineboot.log" 2>&1; then
  echo "FAIL: could not make a wine prefix:" >&2
  cat "$scratch/wineboot.log" >&2
  exit 1
fi
ms=$((($(date +%s%N) - started) / 1000000))
echo "wine prefix made in $((ms / 1000)).$((ms % 1000 / 100)) s"

passed=0
failed=0
run() {  # name, command...
  local name=$1 status
  shift
  echo "--- $name"
  timeout 600 "$@" </dev/null
  status=$?
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
  else
    echo "FAIL: $name (status $status)"
    failed=$((failed + 1))
  fi
}

shopt -s nullglob
programs=("$build_dir"/*_tests.exe)
if [ ${#programs[@]} -eq 0 ]; then
  echo "FAIL: no *_tests.exe in $build_dir" >&2
  exit 1
fi
for program in "${programs[@]}"; do
  run "$(basename "$program")" wine "$program"
done
run zorvane-calc.exe "$here/zorvane_calc_wine_test.sh" "$build_dir/zorvane-calc.exe"
run installer "$here/installer_test.sh" "$build_dir"

ms=$((($(date +%s%N) - started) / 1000000))
echo "wine prefix and tests: $((ms / 1000)).$((ms % 1000 / 100)) s"
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
