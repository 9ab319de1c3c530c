#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Input as people give it, in a real X server with its own key repeat: a
# selection in the size field that survives a click elsewhere or a Tab to a
# key, Space held on a key (one digit, on the release), and Enter held on a
# key (a digit on every repeat, up to the six-digit limit).
set -euo pipefail

program=${1:?usage: x11_input.sh path/to/zorvane}
source "$(dirname "$0")/x_session.sh"

start_x_server
# Held keys must repeat as a keyboard does: after 660 ms, 25 times a second.
xset r on
xset r rate 660 25
xset q | grep -q 'auto repeat:  on' || fail "the X server does not repeat held keys"
start_program "$program"
xdotool windowfocus --sync "$window"

# Places in the window: the size and FAT32 fields, the keys 1 and 9, copy and clear.
size_field() { echo $((X + 104)) $((Y + 69)); }
fat32_field() { echo $((X + 104)) $((Y + 113)); }
key_1() { echo $((X + 209)) $((Y + 73)); }
key_9() { echo $((X + 289)) $((Y + 153)); }
click() { xdotool mousemove $1 $2 click 1; }

# The size as the program holds it, through its own copy menu and the
# clipboard: the menu is chosen from once it is on screen, and the clipboard
# read once the copy has replaced what was put there before.
menus_shown() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l; }
read_size() {
  printf 'not copied' | xclip -i -selection clipboard
  local before
  before=$(menus_shown)
  xdotool mousemove $((X + 51)) $((Y + 197)) click 1
  poll 100 test "$(menus_shown)" -gt "$before" || fail "the copy menu did not open"
  xdotool key Down Return
  copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" != 'not copied' ]; }
  poll 100 copied || fail "nothing was copied"
  xclip -o -selection clipboard
}
expect_size() {
  local size
  size=$(read_size)
  [ "$size" = "$1" ] || fail "$2: the size reads '$size', not $1"
}
start_over() {
  click $((X + 139)) $((Y + 197))  # clear
  click $(size_field)
}

# Select "23" of 12345, click the FAT32 field, then the key 9: the digit
# replaces the selection although the size field has lost the focus.
start_over
xdotool type --delay 40 '12345'
xdotool key Home Right shift+Right shift+Right
click $(fat32_field)
click $(key_9)
expect_size 1945 "a key clicked after the focus moved to another field"

# The same selection, then Tab to the key 1 and Space.
start_over
xdotool type --delay 40 '12345'
xdotool key Home Right shift+Right shift+Right
xdotool key Tab Tab Tab Tab Tab space
expect_size 1145 "Space on a key reached with Tab"

# Space held on the key 1 for 3 s, through some 50 repeats: one digit.
start_over
xdotool key Tab Tab Tab Tab Tab
xdotool keydown space
sleep 3
xdotool keyup space
expect_size 1 "Space held down"

# Enter held on the key 1: a digit on every repeat, up to six (the five
# repeats take under a second; the rest of the 3 s is for a busy machine).
start_over
xdotool key Tab Tab Tab Tab Tab
xdotool keydown Return
sleep 3
xdotool keyup Return
expect_size 111111 "Enter held down"

kill "$app"
app=""
echo "x11 input: ok"
