// SPDX-License-Identifier: MIT
#pragma once

namespace runtime {

// Qt's accessibility support connects to the desktop's session bus the first
// time a window or control changes (it must learn whether assistive
// technology listens), and waits for the connection to be made. Connecting
// from another thread while the interface is still being set up takes that
// wait off the way to the first frame; Qt then finds the connection made.
// Only where Qt itself would connect (X11 and Wayland). Called on the
// interface's thread once the application exists (see WorkAhead).
void ConnectSessionBusAhead();

}  // namespace runtime
