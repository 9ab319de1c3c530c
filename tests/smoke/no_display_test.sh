#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program started where there is no display, as over ssh: one line that
# says what is missing, status 1, no abort. Qt's offscreen platform, by its
# variable or by Qt's own -platform option, still runs without one.
set -uo pipefail
program=${1:?usage: no_display_test.sh path/to/zorvane}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# No display variables, no session, no runtime directory with a socket in it.
bare() { env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM \
  XDG_RUNTIME_DIR="$scratch" "$@"; }

expect_refusal() {  # name, expected words, command...
  local name=$1 words=$2; shift 2
  bare "$@" >"$scratch/out" 2>"$scratch/err"; local status=$?
  [ "$status" -eq 1 ] || fail "$name: status $status, not 1 ($(head -c 300 "$scratch/err"))"
  [ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "$name: not one line on stderr: $(cat "$scratch/err")"
  [ ! -s "$scratch/out" ] || fail "$name: wrote to stdout"
  grep -qF "$words" "$scratch/err" || fail "$name: stderr does not say '$words': $(cat "$scratch/err")"
  grep -q "graphical session" "$scratch/err" || fail "$name: stderr does not say a graphical session is needed"
}

expect_refusal "no display" "neither DISPLAY nor WAYLAND_DISPLAY is set" "$program"
expect_refusal "X11 asked for" "but DISPLAY is not set" env QT_QPA_PLATFORM=xcb "$program"
expect_refusal "Wayland asked for" "but WAYLAND_DISPLAY is not set" env QT_QPA_PLATFORM=wayland "$program"
expect_refusal "X11 asked for by option" "but DISPLAY is not set" env QT_QPA_PLATFORM=offscreen "$program" -platform xcb

# Offscreen needs no display: the program must still be running when timeout
# stops it (status 124), however slowly it starts.
expect_running() {  # name, command...
  local name=$1; shift
  bare timeout 5 "$@" >/dev/null 2>"$scratch/err"; local status=$?
  [ "$status" -eq 124 ] || fail "$name: ended with status $status: $(head -c 300 "$scratch/err")"
}
expect_running "QT_QPA_PLATFORM=offscreen" env QT_QPA_PLATFORM=offscreen "$program"
expect_running "-platform offscreen" "$program" -platform offscreen

[ "$failures" -eq 0 ] && echo "no display: ok"
exit $((failures > 0))
