// SPDX-License-Identifier: MIT
#pragma once

namespace qt_frontend {

// Qt's accessibility support connects to the desktop's session bus the first
// time a window or control changes (it must learn whether assistive
// technology listens), and waits for the connection to be made. Connecting
// from another thread while the interface is still being set up takes that
// wait off the way to the first frame; Qt then finds the connection made.
// Only where Qt itself would connect (X11 and Wayland). Called on the
// interface's thread once the application exists, before anything else is
// handed to the worker (see WorkAhead): where the bus has no known address
// the connection is made there and then instead.
void ConnectSessionBusAhead();

// Whether the session bus can be reached without starting anything: its
// address is in the environment (and is not one that starts a helper to
// find it) or the per-user bus socket exists.
bool SessionBusIsAtAKnownAddress();

}  // namespace qt_frontend
