# SPDX-License-Identifier: MIT
# Sourced by the scripts that drive the real program in a private X server:
# starts the server and the program, finds the window, and cleans up on exit.
# Every wait polls with a generous limit; nothing relies on a short sleep.

fail() { echo "FAIL: $*" >&2; exit 1; }

xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

# Polls `command...` every 0.1 s for up to `tenths` tenths of a second.
poll() {
  local tenths=$1
  shift
  for _ in $(seq 1 "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

# A private Xvfb on the first free display number; exports DISPLAY.
start_x_server() {
  local display=""
  for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || fail "no free display number"
  # -noreset: by default the server resets when its last client leaves (the
  # readiness probe below), and a client connecting during that reset is refused.
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  poll 100 xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

# Starts the program and waits for its window: sets app and window, and the
# window's place and size (X, Y, WIDTH, HEIGHT).
start_program() {
  "$@" &
  app=$!
  window=""
  find_window() {
    window=$(xdotool search --onlyvisible --name '^Zorvane 2\.0$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ]
  }
  poll 100 find_window || fail "the window did not appear"
  geometry
}

geometry() { eval "$(xdotool getwindowgeometry --shell "$window")"; }

# Waits for the program to end on its own; fails unless it exits with 0.
expect_exit() {
  local status=0
  poll 50 eval '! kill -0 "$app" 2>/dev/null' || fail "$1"
  wait "$app" || status=$?
  app=""
  [ "$status" = 0 ] || fail "exit status $status"
}
