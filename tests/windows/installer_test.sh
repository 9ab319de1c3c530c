#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a Windows user downloads, as they get it: the portable zip holds the
# stripped programs and the texts with CR LF lines; the programs import only
# DLLs that Windows ships. Then, under wine, the installer runs silently for
# the user alone; the files, the Start-menu shortcut and the Apps & features
# entry are where they belong; the installed zorvane.exe opens its window;
# the uninstaller the entry names removes all of it, silently. A second
# round installs into a folder of the user's choosing, with a space in its
# name, and keeps a file of the user's there when uninstalling.
#
# It makes its own wine prefix and its own X server (wine needs a display to
# open the window), both in a temporary folder, so that runs side by side
# never meet; both are gone when it ends.
# usage: installer_test.sh BUILD_DIR
set -uo pipefail
build_dir=$(cd "${1:?usage: installer_test.sh BUILD_DIR}" && pwd) || exit 2
for tool in wine wineboot wineserver winepath Xvfb xdotool x86_64-w64-mingw32-objdump cmake; do
  command -v "$tool" >/dev/null || { echo "installer_test.sh: $tool is missing" >&2; exit 2; }
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[ -n "$version" ] || { echo "installer_test.sh: no project version in $build_dir/CMakeCache.txt" >&2; exit 2; }
dist=$build_dir/dist
zip=$build_dir/zorvane-$version-windows-x64.zip
setup=$build_dir/zorvane-$version-setup.exe
shipped=(LICENSE.txt README.txt zorvane-calc.exe zorvane.exe)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
started=$(date +%s%N)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zorvane-installer.XXXXXX") || exit 2

# --- The downloads, as built.

mkdir "$scratch/zip"
if ! (cd "$scratch/zip" && cmake -E tar xf "$zip"); then
  fail "cannot unpack $zip"
fi
listed=$(cd "$scratch/zip" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
[ "$listed" = "${shipped[*]} " ] || fail "the zip holds '$listed', not '${shipped[*]} '"
for file in "${shipped[@]}"; do
  cmp -s "$dist/$file" "$scratch/zip/$file" || fail "the zip's $file is not dist/$file"
done
for text in README.txt LICENSE.txt; do
  # Every line, the last too, ends in CR LF.
  if [ ! -s "$dist/$text" ] || LC_ALL=C grep -qv $'\r$' "$dist/$text" ||
     [ "$(tail -c 1 "$dist/$text" | od -An -c | tr -d ' ')" != '\n' ]; then
    fail "$text has lines without CR LF"
  fi
done
grep -q "Zorvane $version for Windows" "$dist/README.txt" || fail "README.txt does not name version $version"
! grep -q '@' "$dist/README.txt" || fail "README.txt has a placeholder left: $(grep '@' "$dist/README.txt")"

# What any Windows has, and nothing of the compiler's own (libstdc++-6.dll,
# libgcc_s_seh-1.dll, libwinpthread-1.dll): the programs go anywhere alone.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll \
ole32.dll oleacc.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll "
programs=(  # program, largest size in bytes
  "zorvane.exe|2097152"
  "zorvane-calc.exe|2097152"
)
for row in "${programs[@]}"; do
  program=${row%%|*} largest=${row#*|}
  size=$(stat -c %s "$dist/$program") || { fail "no dist/$program"; continue; }
  [ "$size" -le "$largest" ] || fail "dist/$program is $size bytes, more than $largest"
  headers=$(x86_64-w64-mingw32-objdump -h "$dist/$program")
  ! grep -q '\.debug_' <<<"$headers" || fail "dist/$program is not stripped"
  imports=$(x86_64-w64-mingw32-objdump -p "$dist/$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || fail "dist/$program imports nothing, or objdump cannot read it"
  for dll in $imports; do
    [[ $system_dlls == *" $dll "* ]] || fail "dist/$program imports $dll, which Windows does not ship"
  done
done

# --- The installer, under wine, in a prefix and on a display of its own.

export WINEPREFIX=$scratch/prefix
# No wine diagnostics; no Mono or Gecko installer offered; no menu entries
# written into this machine's desktop for the shortcut the installer makes.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY
export LC_ALL=C.UTF-8
xvfb=""
program=""
stop() {
  if [ -n "$program" ]; then
    kill "$program" 2>/dev/null
  fi
  if [ -d "$WINEPREFIX" ] && ! timeout 30 wineserver -w 2>/dev/null; then
    wineserver -k
    timeout 10 wineserver -w
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap stop EXIT
# Stopped from outside (run_wine_tests.sh's timeout), it still cleans up.
trap 'exit 1' TERM INT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
number=""
for _ in $(seq 1 300); do
  # The number is written whole, then a line end.
  [ "$(wc -l <"$scratch/display")" -ge 1 ] && { number=$(head -n 1 "$scratch/display"); break; }
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$number" ]; then
  echo "FAIL: Xvfb did not start" >&2
  cat "$scratch/xvfb.log" >&2
  exit 1
fi
export DISPLAY=:$number

if ! timeout 300 wineboot --init >"$scratch/wineboot.log" 2>&1; then
  echo "FAIL: could not make a wine prefix:" >&2
  cat "$scratch/wineboot.log" >&2
  exit 1
fi
windows_variable() { wine cmd /c echo "%$1%" </dev/null | tr -d '\r'; }
local_app_data=$(windows_variable LOCALAPPDATA)
start_menu=$(winepath -u "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")
shortcut=$start_menu/Zorvane.lnk
installed_files=$(printf '%s\n' "${shipped[@]}" uninstall.exe | LC_ALL=C sort | tr '\n' ' ')
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvane'

value() {  # name: the uninstall entry's value of that name, as "TYPE value"
  wine reg query "$key" /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 \{4\}\(REG_[A-Z]*\) \{4\}/\1 /p"
}

# Installs as from a command prompt in the build folder, checks what the
# install made and returns the install folder's Windows path in $folder.
# The options go to the installer as typed: /D= takes the rest of the line,
# spaces and all, and no quotes.
install() {  # name, expected folder (Windows path), the installer's options
  local name=$1 row expected actual file
  folder=$2
  (cd "$build_dir" && timeout 300 wine cmd /c "${setup##*/} $3" </dev/null)
  local status=$?
  [ "$status" -eq 0 ] || fail "$name: the installer ended with status $status"
  # The command prompt does not wait for a windowed program such as the
  # installer: the install is over when every process in this prefix has
  # ended, its last registry values written.
  timeout 300 wineserver -w || fail "$name: the installer did not end"
  local unix_folder
  unix_folder=$(winepath -u "$folder")
  local listed
  listed=$(cd "$unix_folder" 2>/dev/null && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
  [ "$listed" = "$installed_files" ] || fail "$name: the install folder holds '$listed', not '$installed_files'"
  for file in "${shipped[@]}"; do
    cmp -s "$dist/$file" "$unix_folder/$file" || fail "$name: the installed $file is not dist/$file"
  done
  if [ -f "$shortcut" ]; then
    # The link keeps its target's path, in one form or another.
    local texts
    texts=$(strings -a "$shortcut"; strings -a -el "$shortcut")
    grep -qiF "$folder\\zorvane.exe" <<<"$texts" ||
      fail "$name: the Start-menu shortcut does not lead to $folder\\zorvane.exe"
  else
    fail "$name: no Start-menu shortcut $shortcut"
  fi
  local entry=(  # value's name, type and value
    "DisplayName|REG_SZ|Zorvane $version"
    "DisplayVersion|REG_SZ|$version"
    "Publisher|REG_SZ|The Zorvane developers"
    "DisplayIcon|REG_SZ|$folder\\zorvane.exe,0"
    "InstallLocation|REG_SZ|$folder"
    "UninstallString|REG_SZ|\"$folder\\uninstall.exe\""
    "QuietUninstallString|REG_SZ|\"$folder\\uninstall.exe\" /S"
    "NoModify|REG_DWORD|0x1"
    "NoRepair|REG_DWORD|0x1"
  )
  for row in "${entry[@]}"; do
    IFS='|' read -r file type expected <<<"$row"
    actual=$(value "$file")
    [ "$actual" = "$type $expected" ] || fail "$name: the uninstall entry's $file is '$actual', not '$type $expected'"
  done
  # In KiB: the four files come to well over a megabyte.
  actual=$(value EstimatedSize)
  if [[ $actual =~ ^REG_DWORD\ (0x[0-9a-f]+)$ ]]; then
    [ $((BASH_REMATCH[1])) -ge 1024 ] || fail "$name: EstimatedSize is $actual KiB"
  else
    fail "$name: EstimatedSize is '$actual'"
  fi
}

# Runs the quiet uninstall the entry names, as Apps & features or a script
# would. The uninstaller copies itself to %TEMP% and returns at once, the
# copy doing the work: the uninstall is over when every process in this
# prefix has ended.
uninstall() {  # name
  local name=$1 quiet path
  quiet=$(value QuietUninstallString)
  if [[ $quiet =~ ^REG_SZ\ \"([^\"]+)\"\ /S$ ]]; then
    path=${BASH_REMATCH[1]}
  else
    fail "$name: no quiet uninstall to run ('$quiet')"
    return
  fi
  timeout 300 wine "$path" /S </dev/null
  local status=$?
  [ "$status" -eq 0 ] || fail "$name: the uninstaller ended with status $status"
  timeout 300 wineserver -w || fail "$name: the uninstaller was still running after five minutes"
  [ ! -e "$shortcut" ] || fail "$name: the Start-menu shortcut is still there"
  [ -z "$(value DisplayName)" ] || fail "$name: the uninstall entry is still there"
}

# The first round: the default folder, the program started and closed.
folder=""
install "installed silently" "$local_app_data\\Programs\\Zorvane" /S
installed=$(winepath -u "$folder")

wine "$installed/zorvane.exe" </dev/null >"$scratch/zorvane.log" 2>&1 &
program=$!
title="^Zorvane ${version//./\\.}\$"
window=$(timeout 120 xdotool search --sync --onlyvisible --name "$title")
if [ -z "$window" ]; then
  fail "the installed zorvane.exe showed no window named '$title'"
  cat "$scratch/zorvane.log"
fi
# Uninstalling it while it runs stops, and keeps what it cannot finish
# removing listed in Apps & features. Run in place (_?=), the uninstaller
# works before it returns, so its status tells.
wine "$installed/uninstall.exe" /S "_?=$folder" </dev/null
status=$?
[ "$status" -eq 2 ] || fail "uninstalled while running: status $status, not 2"
[ -f "$installed/zorvane.exe" ] && [ -n "$(value DisplayName)" ] ||
  fail "uninstalled while running: zorvane.exe or its entry is gone"

# Closed as Windows closes a program politely: taskkill without /f sends
# its windows WM_CLOSE. Whether it then ends is watched without a fixed
# wait; killed after two minutes, should it hang.
wine taskkill /im zorvane.exe </dev/null >/dev/null 2>&1 || fail "taskkill found no zorvane.exe to close"
for _ in $(seq 1 1200); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  fail "zorvane.exe did not end when asked to close"
  kill "$program"
  wait "$program"
else
  wait "$program"
  status=$?
  [ "$status" -eq 0 ] || fail "zorvane.exe ended with status $status when asked to close"
fi
program=""

uninstall "uninstalled silently"
[ ! -e "$installed" ] || fail "uninstalled silently: $installed is still there: $(ls -A "$installed" | tr '\n' ' ')"

# The second round: a folder named on the command line, with a space in its
# name, that holds a file of the user's by the time Zorvane is uninstalled.
install "installed into a folder chosen" 'C:\Zorvane test\Zorvane' '/S /D=C:\Zorvane test\Zorvane'
installed=$(winepath -u "$folder")
echo "the user's own" >"$installed/notes.txt"
uninstall "uninstalled from a folder chosen"
listed=$(cd "$installed" 2>/dev/null && find . -mindepth 1 -printf '%P\n' | tr '\n' ' ')
[ "$listed" = "notes.txt " ] || fail "uninstalled from a folder chosen: the folder holds '$listed', not only the user's notes.txt"

ms=$((($(date +%s%N) - started) / 1000000))
echo "the downloads and the installer: $((ms / 1000)).$((ms % 1000 / 100)) s, $failures failed"
[ "$failures" -eq 0 ]
