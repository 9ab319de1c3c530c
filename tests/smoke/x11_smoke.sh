#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives the real program in a real X server as a user would: types a size,
# copies the FAT32 value through the copy menu, reads the clipboard, drags the
# window with the right button, and closes it with the close button.
set -euo pipefail

program=${1:?usage: x11_smoke.sh path/to/zorvane}
source "$(dirname "$0")/x_session.sh"

start_x_server
start_program "$program"
[ "$WIDTH" = 320 ] && [ "$HEIGHT" = 240 ] || fail "window is ${WIDTH}x${HEIGHT}, not 320x240"
[ "$X" = 352 ] && [ "$Y" = 264 ] || fail "window at $X,$Y is not centred"

# A field's value through the copy menu and the clipboard: 1, 2 or 3 for the
# size, the FAT32 value, the NTFS value. The copy button (70 x 35 at 16, 180)
# opens its menu below it; the item is chosen once the menu is on screen, and
# the clipboard read once the copy has replaced what was put there before.
# The items are enabled on the program's next tick after a size is typed: a
# menu whose items copied nothing is closed and opened again.
menus_shown() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l; }
copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" != 'not copied' ]; }
menu_closed() { [ "$(menus_shown)" -le "$1" ]; }
copy_item() {
  printf 'not copied' | xclip -i -selection clipboard
  local before keys="" tries
  for _ in $(seq 1 "$1"); do keys="$keys Down"; done
  for tries in $(seq 1 10); do
    before=$(menus_shown)
    xdotool mousemove $((X + 51)) $((Y + 197)) click 1
    poll 100 test "$(menus_shown)" -gt "$before" || fail "the copy menu did not open"
    xdotool key $keys Return
    poll 30 copied && break
    xdotool key Escape
    poll 100 menu_closed "$before" || fail "the copy menu did not close"
  done
  copied || fail "the copy menu copied nothing"
  xclip -o -selection clipboard
}

xdotool windowfocus --sync "$window"
xdotool type --delay 40 '123'
copied_value=$(copy_item 2)
[ "$copied_value" = "126440" ] || fail "clipboard holds '$copied_value', not the FAT32 value 126440"

# Clear, then two quick clicks on the 4 key, then the 1 key reached with Tab
# and worked with Space and Enter: every press must type its digit.
xdotool mousemove $((X + 139)) $((Y + 197)) click 1
xdotool mousemove $((X + 209)) $((Y + 113)) click --repeat 2 --delay 60 1
xdotool key Tab Tab Tab Tab Tab
xdotool key space Return
typed=$(copy_item 1)
[ "$typed" = "4411" ] || fail "keypad input reads '$typed', not 4411"

# Drag by the background with the right button.
xdotool mousemove $((X + 6)) $((Y + 120)) mousedown 3
xdotool mousemove $((X + 36)) $((Y + 140))
xdotool mousemove $((X + 56)) $((Y + 150)) mouseup 3
moved() { geometry; [ "$X" = 402 ] && [ "$Y" = 294 ]; }
poll 100 moved || fail "the drag left the window at $X,$Y instead of 402,294"

# The close button: 28 x 28 at (291, 0).
xdotool mousemove $((X + 305)) $((Y + 14)) click 1
expect_exit "the close button did not end the program"
echo "x11 smoke: ok"
