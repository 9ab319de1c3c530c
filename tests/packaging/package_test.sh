#!/usr/bin/env bash
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
depends=$(echo "$info" | grep "Depends:")
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library (from the shared libraries): $depends"
done
echo "$info" | grep -q "Recommends:.*qt6-wayland" || fail "the package does not recommend qt6-wayland"
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/zorvane ./usr/bin/zorvane-calc ./usr/share/applications/org.zorvane.Zorvane.desktop \
            ./usr/share/metainfo/org.zorvane.Zorvane.metainfo.xml \
            ./usr/share/icons/hicolor/256x256/apps/org.zorvane.Zorvane.png; do
  echo "$contents" | grep -q " $path\$" || fail "the package lacks $path"
done
echo "package: ok"
