#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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
# Valid without a warning; pedantic notes (the id's capital letters, which
# the id has always had) may stay.
validation=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli refused the metadata: $validation"
if grep -Eq '^(E|W|I):' <<<"$validation"; then fail "appstreamcli has more to say: $validation"; fi
# What a software centre shows beside the name: the licences, who made it,
# and what the release brings.
grep -q "<metadata_license>CC0-1.0</metadata_license>" "$metainfo" || fail "the metadata's own licence is not CC0-1.0"
grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "the metadata does not give the licence"
grep -q "<developer_name>The Zorvane developers</developer_name>" "$metainfo" || fail "the metadata names no developer"
python3 - "$metainfo" <<'PY' || fail "the release has no description"
import sys, xml.etree.ElementTree as tree
release = tree.parse(sys.argv[1]).find("releases/release")
sys.exit(0 if release is not None and release.find("description/p") is not None else 1)
PY

# A manual page for each program, compressed as Debian keeps them, that man
# renders without a complaint.
for program in zorvane zorvane-calc; do
  page=$prefix/share/man/man1/$program.1.gz
  [ -f "$page" ] || fail "no manual page share/man/man1/$program.1.gz"
  gzip -t "$page" || fail "$program.1.gz is not gzip"
  complaints=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$complaints" ] || fail "man complains about $program.1: $complaints"
  rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
  grep -q "^NAME" <<<"$rendered" && grep -q "$program - " <<<"$rendered" || fail "$program.1 renders without its NAME"
done
grep -q "DISPLAY" <<<"$(MANWIDTH=80 man -l "$prefix/share/man/man1/zorvane.1.gz" 2>/dev/null)" \
  || fail "zorvane.1 does not say what happens without a display"

# The licence and the history, where Debian looks for them.
doc=$prefix/share/doc/zorvane
head -n 1 "$doc/copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
  || fail "share/doc/zorvane/copyright is not machine-readable"
grep -qx "License: MIT" "$doc/copyright" || fail "the copyright file does not give the MIT licence"
zcat "$doc/changelog.Debian.gz" | dpkg-parsechangelog -l - >/dev/null || fail "changelog.Debian.gz is not a Debian changelog"

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
