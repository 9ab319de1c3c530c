#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb with CPack and checks its contents and dependencies.
set -euo pipefail
build=${1:?usage: package_test.sh build-dir}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >/dev/null) || fail "cpack failed"
deb=$(ls "$out"/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no .deb was made"
info=$(dpkg-deb --info "$deb")
echo "$info" | grep -q "Package: zorvane" || fail "the package is not named zorvane"
dpkg-deb -f "$deb" Maintainer | grep -q "@zorvane.org>$" || fail "the maintainer has no address under zorvane.org"
depends=$(echo "$info" | grep "Depends:")
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library (from the shared libraries): $depends"
done
echo "$info" | grep -q "Recommends:.*qt6-wayland" || fail "the package does not recommend qt6-wayland"
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/zorvane ./usr/bin/zorvane-calc ./usr/share/applications/org.zorvane.Zorvane.desktop \
            ./usr/share/metainfo/org.zorvane.Zorvane.metainfo.xml \
            ./usr/share/icons/hicolor/256x256/apps/org.zorvane.Zorvane.png \
            ./usr/share/man/man1/zorvane.1.gz ./usr/share/man/man1/zorvane-calc.1.gz \
            ./usr/share/doc/zorvane/copyright ./usr/share/doc/zorvane/changelog.Debian.gz; do
  echo "$contents" | grep -q " $path\$" || fail "the package lacks $path"
done

# The changelog describes this very version.
dpkg-deb -x "$deb" "$out/root"
version=$(dpkg-deb -f "$deb" Version)
logged=$(zcat "$out/root/usr/share/doc/zorvane/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version)
[ "$version" = "$logged" ] || fail "the package is $version but its changelog's latest entry is $logged"

# What a distribution's reviewer runs first: no error, no warning.
if command -v lintian >/dev/null; then
  report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"
  if grep -Eq '^(E|W):' <<<"$report"; then fail "lintian: $report"; fi
else
  echo "SKIPPED lintian: it is not installed (apt-get install lintian)"
fi
echo "package: ok"
