# SPDX-License-Identifier: MIT
# Sourced by the scripts that drive the real program in a private X server:
# starts the server and the program, finds the window, and cleans up on exit.
# Every wait polls with a generous limit; nothing relies on a short sleep.

fail() { echo "FAIL: $*" >&2; exit 1; }

xvfb=""
app=""
x_session_dir=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  [ -n "$x_session_dir" ] && rm -rf "$x_session_dir" || true
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

# A private Xvfb; exports DISPLAY. The server picks a free display number
# itself and writes it down once it takes clients, so that runs side by side
# never pick the same one.
start_x_server() {
  x_session_dir=$(mktemp -d)
  # -noreset: by default the server resets when its last client leaves, and
  # a client connecting during that reset is refused.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$x_session_dir/display" >/dev/null 2>&1 &
  xvfb=$!
  local number=""
  display_written() { number=$(head -n 1 "$x_session_dir/display" 2>/dev/null || true); [ -n "$number" ]; }
  poll 300 display_written || fail "Xvfb did not start"
  export DISPLAY=":$number"
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
  poll 300 find_window || fail "the window did not appear"
  geometry
}

geometry() { eval "$(xdotool getwindowgeometry --shell "$window")"; }

# Waits for the program to end on its own; fails unless it exits with 0.
expect_exit() {
  local status=0
  poll 200 eval '! kill -0 "$app" 2>/dev/null' || fail "$1"
  wait "$app" || status=$?
  app=""
  [ "$status" = 0 ] || fail "exit status $status"
}
