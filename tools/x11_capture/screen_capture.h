// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>

struct xcb_connection_t;

namespace x11_capture {

// What the X server shows in `area` of the first screen (device pixels), read
// back from the root window; a null image when the server's pixel format is
// not the usual 24-bit true colour or the area lies off the screen.
QImage GrabScreen(xcb_connection_t* connection, const QRect& area);

}  // namespace x11_capture
