#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives the real program under a real Wayland compositor as a user would:
# types and clicks sizes in, copies them through the copy menu to the Wayland
# clipboard, watches a key's pictures follow the pointer, drags the window by
# its background and closes it with the close button. On Wayland a program
# can neither read the pointer outside its own windows nor learn or set its
# window's place, which is exactly what a key's hover tracking and the drag
# rely on elsewhere; this is where they are kept honest.
set -euo pipefail

program=${1:?usage: wayland_smoke.sh path/to/zorvane}
app_id=org.zorvane.Zorvane
# On failure the screen is kept beside the test, as wayland_smoke_failure.png.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${wayland_session_tmp:-}" ]; then
    wayland_client grim "$PWD/wayland_smoke_failure.png" 2>/dev/null &&
      echo "the screen at that moment: $PWD/wayland_smoke_failure.png" >&2
    if [ -s "$wayland_session_tmp/program.log" ]; then
      echo "--- the program said:" >&2
      tail -n 20 "$wayland_session_tmp/program.log" >&2
    fi
  fi
  exit 1
}

source "$(dirname "$0")/wayland_session.sh"
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  wayland_session_stop
}
trap cleanup EXIT
status=0
wayland_session_start || status=$?
[ "$status" = 0 ] || exit "$status"

# Polls `command...` until it succeeds, for up to `seconds`.
await() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Qt's Wayland plugin leaves objects of its connection and the clipboard's
# last contents allocated at exit, so under AddressSanitizer the leak check
# is left to the X11 smoke test and the unit tests; every other check stays.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
wayland_client_in_background "$program" >"$wayland_session_tmp/program.log" 2>&1
app=$!

rect=""
window_shown() { rect=$(wayland_window_rect "$app_id"); [ -n "$rect" ]; }
await 20 window_shown || fail "no window with the app id $app_id appeared"
read -r X Y WIDTH HEIGHT <<<"$rect"
[ "$WIDTH" = 320 ] && [ "$HEIGHT" = 240 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 320x240"
title=$(swaymsg -t get_tree | jq -r --arg id "$app_id" '.. | objects | select(.app_id? == $id) | .name')
[ "$title" = "Zorvane 2.0" ] || fail "the window's title is '$title'"

# Where the pictures are read: inside the 5 key (35 x 35 at 232, 96) clear of
# its caption, and just below the window, where the copy menu opens.
key5() { wayland_pixel $((X + 238)) $((Y + 102)); }
below() { wayland_pixel $((X + 30)) $((Y + 250)); }
brightness() { local r g b; read -r r g b <<<"$1"; echo $((r * 299 + g * 587 + b * 114)); }
key5_is() { [ "$(key5)" = "$1" ]; }
key5_is_not() { [ "$(key5)" != "$1" ]; }

# The window draws itself a moment after it is placed.
xdotool mousemove $((X + 6)) $((Y + 120))
painted() { [ "$(key5)" != "$(wayland_pixel $((X - 10)) $((Y + 102)))" ]; }
await 10 painted || fail "the window shows nothing"

# The copy menu opens below the copy button (70 x 35 at 16, 180); the item is
# chosen with the keyboard, and the clipboard is read as another Wayland
# program reads it.
clipboard=""
clipboard_is() { clipboard=$(wayland_client wl-paste --no-newline 2>/dev/null || true); [ "$clipboard" = "$1" ]; }
copy_item() {  # 1, 2 or 3: the size, the FAT32 value, the NTFS value; then the expected text
  wayland_client wl-copy --clear
  local closed
  closed=$(below)
  xdotool mousemove $((X + 51)) $((Y + 197)) click 1
  menu_open() { [ "$(below)" != "$closed" ]; }
  await 10 menu_open || fail "the copy menu did not open"
  local keys=""
  for _ in $(seq 1 "$1"); do keys="$keys Down"; done
  xdotool key $keys Return
  await 10 clipboard_is "$2" || fail "copy item $1 put '$clipboard' on the clipboard, not '$2'"
}

# Typing, with the keyboard focus where the compositor put it.
xdotool type --delay 40 '123'
copy_item 2 126440

# A key's pictures: lighter under the pointer, darker while pressed, back to
# normal when the pointer leaves with the button held; a release away from
# the key types nothing.
xdotool mousemove $((X + 6)) $((Y + 120))
normal=$(key5)
xdotool mousemove $((X + 249)) $((Y + 113))
await 5 key5_is_not "$normal" || fail "the 5 key shows no hover picture under the pointer"
hover=$(key5)
[ "$(brightness "$hover")" -gt "$(brightness "$normal")" ] || fail "the hover picture ($hover) is not lighter than the normal one ($normal)"
xdotool mousedown 1
await 5 key5_is_not "$hover" || fail "the 5 key shows no pressed picture while pressed"
pressed=$(key5)
[ "$(brightness "$pressed")" -lt "$(brightness "$normal")" ] || fail "the pressed picture ($pressed) is not darker than the normal one ($normal)"
xdotool mousemove $((X + 6)) $((Y + 120))
await 5 key5_is "$normal" || fail "the 5 key still shows $(key5) after the pointer left it with the button held"
xdotool mouseup 1
copy_item 1 123

# Keypad clicks: clear, two quick clicks on the 4 key, then the 1 key reached
# with Tab and worked with Space and Enter. Every press types its digit.
xdotool mousemove $((X + 139)) $((Y + 197)) click 1
xdotool mousemove $((X + 209)) $((Y + 113)) click --repeat 2 --delay 60 1
xdotool key Tab Tab Tab Tab Tab
xdotool key space Return
copy_item 1 4411

# The pointer comes straight onto a key from outside the window and leaves
# the same way: the key follows it both times, although the window hears of
# the pointer only while it is over it.
xdotool mousemove $((X - 40)) $((Y + 113))
await 5 key5_is "$normal" || fail "the 5 key shows $(key5) with the pointer outside the window"
xdotool mousemove $((X + 249)) $((Y + 113))
await 5 key5_is "$hover" || fail "the 5 key shows $(key5), not its hover picture, when the pointer comes straight onto it"
xdotool mousemove $((X - 40)) $((Y + 113))
await 5 key5_is "$normal" || fail "the 5 key still shows $(key5) after the pointer left the window from it"

# The drag, with the right button, by the background: the compositor moves
# the window and says where it now is. It takes the pointer once the
# program has handled the press, so the pointer waits for that.
xdotool mousemove $((X + 6)) $((Y + 120)) mousedown 3
sleep 1
xdotool mousemove $((X + 36)) $((Y + 140))
xdotool mousemove $((X + 56)) $((Y + 150)) mouseup 3
moved_to() { [ "$(wayland_window_rect "$app_id")" = "$1 $2 320 240" ]; }
await 5 moved_to $((X + 50)) $((Y + 30)) ||
  fail "the drag left the window at $(wayland_window_rect "$app_id"), not at $((X + 50)) $((Y + 30))"
X=$((X + 50)) Y=$((Y + 30))
# After the drag the keys see the pointer again.
xdotool mousemove $((X + 8)) $((Y + 120))
xdotool mousemove $((X + 249)) $((Y + 113))
await 5 key5_is "$hover" || fail "after the drag the 5 key shows $(key5), not its hover picture"
xdotool mousemove $((X + 6)) $((Y + 120))
await 5 key5_is "$normal" || fail "after the drag the 5 key still shows $(key5) with the pointer off it"

# Minimising is the compositor's to honour, and sway does not: the window
# stays, and the program goes on working in it, its refresh tick included
# (after clear and the 3 key, the red of 4411 gives way to the window-text
# colour only on a tick).
red_in_fat32() {  # the number of red pixels in the FAT32 field (81 x 18 at 64, 103)
  wayland_client grim -t ppm -g "$((X + 64)),$((Y + 103)) 81x18" - | tail -c $((81 * 18 * 3)) | od -An -v -tu1 -w3 |
    awk '$1 > 180 && $2 < 90 && $3 < 90 { n++ } END { print n + 0 }'
}
fat32_red() { [ "$(red_in_fat32)" -gt 0 ]; }
fat32_not_red() { [ "$(red_in_fat32)" = 0 ]; }
await 5 fat32_red || fail "the FAT32 value of 4411 is not shown in red"
xdotool mousemove $((X + 277)) $((Y + 14)) click 1
ended() { ! kill -0 "$app" 2>/dev/null; }
! ended || fail "the minimise button ended the program"
xdotool mousemove $((X + 139)) $((Y + 197)) click 1
xdotool mousemove $((X + 289)) $((Y + 73)) click 1
await 5 fat32_not_red || fail "after the minimise button the FAT32 value stays red: the refresh tick has stopped"
copy_item 1 3

# The close button (28 x 28 at 291, 0) ends the program, and well.
xdotool mousemove $((X + 305)) $((Y + 14)) click 1
await 20 ended || fail "the close button did not end the program"
status=0
wait "$app" || status=$?
app=""
[ "$status" = 0 ] || fail "exit status $status"
echo "wayland smoke: ok"
