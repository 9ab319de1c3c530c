#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Started again and again in an X session that has no session bus address,
# as under a bare window manager or over ssh -X: the window must come up
# every time. Finding a bus there means forking a helper, and a start that
# forked while another thread held a lock used to hang now and then.
set -euo pipefail

program=${1:?usage: x11_start_without_bus.sh path/to/zorvane}
starts=${2:-25}
source "$(dirname "$0")/x_session.sh"

runtime_dir=$(mktemp -d)  # no bus socket in it
trap 'cleanup; rm -rf "$runtime_dir"' EXIT

start_x_server
for n in $(seq 1 "$starts"); do
  echo "start $n of $starts"
  start_program env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$runtime_dir" "$program"
  kill "$app"
  wait "$app" 2>/dev/null || true
  app=""
done
echo "x11 start without a bus: $starts of $starts"
