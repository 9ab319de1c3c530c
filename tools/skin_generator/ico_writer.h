// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

namespace skin {

struct IconImage {
  QImage image;       // any format; transparency from its alpha
  int bitsPerPixel;   // 8 (256 colours) or 32
};

// An .ico file of the images in the given order, each stored as a bitmap
// with its transparency mask, as every icon reader understands.
QByteArray IcoFile(const std::vector<IconImage>& images);

}  // namespace skin
