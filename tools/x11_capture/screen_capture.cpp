// SPDX-License-Identifier: MIT
#include "screen_capture.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace x11_capture {

namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};

// Bits per pixel the server stores images of this depth in.
int BitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
  for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem != 0; xcb_format_next(&formats)) {
    if (formats.data->depth == depth) return formats.data->bits_per_pixel;
  }
  return 0;
}

}  // namespace

QImage GrabScreen(xcb_connection_t* connection, const QRect& area) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (area.isEmpty() || !QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels).contains(area)) return {};
  if (screen->root_depth != 24 || BitsPerPixel(setup, 24) != 32 ||
      setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
    return {};
  }
  const std::unique_ptr<xcb_get_image_reply_t, FreeReply> reply(xcb_get_image_reply(
      connection,
      xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<std::int16_t>(area.x()),
                    static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
                    static_cast<std::uint16_t>(area.height()), ~0u),
      nullptr));
  if (!reply) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * 4;
  if (static_cast<std::size_t>(xcb_get_image_data_length(reply.get())) < rowBytes * area.height()) return {};
  // Little-endian 32-bit pixels with the top byte unused are what Qt calls RGB32.
  QImage image(area.size(), QImage::Format_RGB32);
  const std::uint8_t* data = xcb_get_image_data(reply.get());
  for (int y = 0; y < area.height(); ++y) {
    std::memcpy(image.scanLine(y), data + rowBytes * static_cast<std::size_t>(y), rowBytes);
  }
  return image;
}

}  // namespace x11_capture
