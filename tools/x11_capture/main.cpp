// SPDX-License-Identifier: MIT
// Saves what the X server on $DISPLAY shows in a rectangle as a PNG (or a
// PPM, by the name's ending):
//   zorvane_x11_capture x y width height output.png|output.ppm
#include <xcb/xcb.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>

#include "screen_capture.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: zorvane_x11_capture x y width height output.png\n");
    return 2;
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "zorvane_x11_capture: cannot reach the X server\n");
    return 1;
  }
  const QRect area(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  const QImage image = x11_capture::GrabScreen(connection, area);
  xcb_disconnect(connection);
  if (image.isNull()) {
    std::fprintf(stderr, "zorvane_x11_capture: cannot read that area of the screen\n");
    return 1;
  }
  // The format follows the name: .png for people, .ppm for scripts to read.
  if (!image.save(QString::fromLocal8Bit(argv[5]))) {
    std::fprintf(stderr, "zorvane_x11_capture: cannot write %s\n", argv[5]);
    return 1;
  }
  return 0;
}
