#!/usr/bin/env bash
# Installs the build into a scratch prefix as `cmake --install` does for a user
# and checks what a desktop expects to find there, under one application id.
set -euo pipefail
build=${1:?usage: install_test.sh build-dir}
id=org.zorvane.Zorvane
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" --strip >/dev/null

for program in zorvane zorvane-calc; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing"
done
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no AppStream metadata"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the entry"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli refused the metadata"

for size in 16 32 48 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || fail "no ${size}px icon"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not a $size x $size PNG"
done

# One id everywhere: entry name, icon name, metadata id and launchable.
grep -qx "Icon=$id" "$desktop" || fail "the entry does not name the icon $id"
grep -qx "Exec=zorvane" "$desktop" || fail "the entry does not start zorvane"
grep -q "<id>$id</id>" "$metainfo" || fail "the metadata id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metadata does not launch $id.desktop"

# The installed companion works from where it was installed.
[ "$("$prefix/bin/zorvane-calc" 100)" = "$(printf '100\t102796\t102407')" ] || fail "the installed zorvane-calc answers wrongly"
echo "install: ok"
