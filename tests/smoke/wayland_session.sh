# SPDX-License-Identifier: MIT
# A private Wayland desktop for driving the real program: sway nested in a
# private Xvfb, whose window takes real pointer and keyboard input from
# xdotool, so every click and key goes through the compositor. Sourced by
# the Wayland smoke test and by tools/screenshot.sh.
#
#   wayland_session_start   # sets DISPLAY (the X server, for xdotool)
#   wayland_client CMD...   # runs a Wayland client: the program, grim, wl-paste
#   wayland_client_in_background CMD...   # the same, with its process id in $!
#   wayland_session_stop    # ends sway and the X server, removes what was made
#
# sway refuses to run as root; as root the compositor runs as `nobody`, and
# the clients stay the caller's (root may use anyone's socket).
# wayland_session_start returns 77 with a reason where no session can be had.

WAYLAND_SESSION_SCREEN=${WAYLAND_SESSION_SCREEN:-1024x768}

wayland_session_tmp=""
wayland_session_xvfb=""
wayland_session_sway=""
wayland_session_socket=""

wayland_session_start() {
  local tool
  for tool in Xvfb sway swaymsg xdotool grim wl-paste wl-copy jq; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is missing (apt-get install xvfb sway xdotool grim wl-clipboard jq)" >&2
      return 77
    fi
  done

  # /tmp lets any user through to the compositor's own folder inside.
  wayland_session_tmp=$(mktemp -d /tmp/zorvane-wayland.XXXXXX)
  chmod 711 "$wayland_session_tmp"
  local compositor_dir=$wayland_session_tmp/compositor client_dir=$wayland_session_tmp/client
  mkdir -m 700 "$compositor_dir" "$client_dir"

  local -a as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    local group
    group=$(id -gn nobody 2>/dev/null) || { echo "SKIP: there is no user nobody to run sway as" >&2; return 77; }
    as_user=(setpriv --reuid=nobody --regid="$group" --clear-groups)
    if ! "${as_user[@]}" true 2>/dev/null; then
      echo "SKIP: cannot switch to the user nobody here (setpriv refused), and sway will not run as root" >&2
      return 77
    fi
    chown "nobody:$group" "$compositor_dir"
  fi

  # Xvfb picks a free display itself and writes its number once it listens.
  # -noreset: a client that connects just after another leaves is not refused.
  Xvfb -displayfd 3 -screen 0 "${WAYLAND_SESSION_SCREEN}x24" -nolisten tcp -noreset \
    3>"$wayland_session_tmp/display" >"$wayland_session_tmp/xvfb.log" 2>&1 &
  wayland_session_xvfb=$!
  local number=""
  for _ in $(seq 1 100); do
    number=$(head -n 1 "$wayland_session_tmp/display" 2>/dev/null || true)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || { echo "FAIL: Xvfb did not start" >&2; cat "$wayland_session_tmp/xvfb.log" >&2; return 1; }
  export DISPLAY=":$number"

  # A bare desktop: no bar, no borders, no X11 clients. sway floats a window
  # of fixed size, such as the program's, by itself.
  cat >"$compositor_dir/config" <<'EOF'
xwayland disable
default_border none
default_floating_border none
focus_follows_mouse no
EOF
  chmod 644 "$compositor_dir/config"
  [ "$(id -u)" -eq 0 ] && chown nobody "$compositor_dir/config"

  # Started with nothing of the caller's environment: it must not find and
  # nest in the caller's own desktop.
  "${as_user[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$compositor_dir" \
    XDG_RUNTIME_DIR="$compositor_dir" DISPLAY="$DISPLAY" \
    WLR_BACKENDS=x11 WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$compositor_dir/config" >"$wayland_session_tmp/sway.log" 2>&1 &
  wayland_session_sway=$!

  local candidate
  for _ in $(seq 1 150); do
    for candidate in "$compositor_dir"/wayland-*; do
      case $candidate in *.lock) continue ;; esac
      [ -S "$candidate" ] && wayland_session_socket=$candidate
    done
    if [ -n "$wayland_session_socket" ]; then
      SWAYSOCK=$(ls "$compositor_dir"/sway-ipc.*.sock 2>/dev/null | head -n 1 || true)
      export SWAYSOCK
      [ -n "$SWAYSOCK" ] && swaymsg -t get_outputs >/dev/null 2>&1 && break
    fi
    kill -0 "$wayland_session_sway" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$wayland_session_socket" ] || ! swaymsg -t get_outputs >/dev/null 2>&1; then
    echo "FAIL: sway did not start" >&2
    tail -n 20 "$wayland_session_tmp/sway.log" >&2
    return 1
  fi
}

# Runs a Wayland client with the session's socket and a runtime folder of the
# caller's own, and without the X server, so Qt cannot fall back to it.
wayland_client() {
  env -u DISPLAY XDG_RUNTIME_DIR="$wayland_session_tmp/client" WAYLAND_DISPLAY="$wayland_session_socket" \
    QT_QPA_PLATFORM=wayland "$@"
}

# The same in the background, as a process of its own, so that $! is the
# client itself and not a shell waiting for it.
wayland_client_in_background() {
  (exec env -u DISPLAY XDG_RUNTIME_DIR="$wayland_session_tmp/client" WAYLAND_DISPLAY="$wayland_session_socket" \
    QT_QPA_PLATFORM=wayland "$@") &
}

# "x y width height" of the window with the given application id, as the
# compositor has placed it; nothing while it has no such window.
wayland_window_rect() {
  swaymsg -t get_tree 2>/dev/null |
    jq -r --arg id "$1" '.. | objects | select(.app_id? == $id) | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' |
    head -n 1
}

# The colour of one pixel as the compositor shows it: "r g b".
wayland_pixel() {
  wayland_client grim -t ppm -g "$1,$2 1x1" - | tail -c 3 | od -An -tu1 | xargs
}

wayland_session_stop() {
  if [ -n "$wayland_session_sway" ]; then
    kill "$wayland_session_sway" 2>/dev/null || true
    wait "$wayland_session_sway" 2>/dev/null || true
  fi
  if [ -n "$wayland_session_xvfb" ]; then
    kill "$wayland_session_xvfb" 2>/dev/null || true
    wait "$wayland_session_xvfb" 2>/dev/null || true
  fi
  [ -n "$wayland_session_tmp" ] && rm -rf "$wayland_session_tmp"
  wayland_session_sway="" wayland_session_xvfb="" wayland_session_tmp=""
}
