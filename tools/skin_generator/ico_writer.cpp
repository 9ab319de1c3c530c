// SPDX-License-Identifier: MIT
#include "ico_writer.h"

#include <QtEndian>

namespace skin {
namespace {

void Put16(QByteArray& out, quint16 value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put32(QByteArray& out, quint32 value) {
  for (int i = 0; i < 4; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// One image as a device-independent bitmap: header, palette, colour rows
// and mask rows, both bottom-up.
QByteArray Dib(const IconImage& icon) {
  const QImage argb = icon.image.convertToFormat(QImage::Format_ARGB32);
  const int w = argb.width();
  const int h = argb.height();
  const int bits = icon.bitsPerPixel;
  QImage indexed;
  if (bits == 8) {
    indexed = argb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  }
  const int colourRow = RowBytes(w, bits);
  const int maskRow = RowBytes(w, 1);
  QByteArray out;
  Put32(out, 40);
  Put32(out, static_cast<quint32>(w));
  Put32(out, static_cast<quint32>(h * 2));
  Put16(out, 1);
  Put16(out, static_cast<quint16>(bits));
  Put32(out, 0);
  Put32(out, static_cast<quint32>((colourRow + maskRow) * h));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, bits == 8 ? 256 : 0);
  Put32(out, 0);
  if (bits == 8) {
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
      const QRgb c = i < table.size() ? table[i] : 0;
      out.append(static_cast<char>(qBlue(c)));
      out.append(static_cast<char>(qGreen(c)));
      out.append(static_cast<char>(qRed(c)));
      out.append('\0');
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(colourRow, '\0');
    for (int x = 0; x < w; ++x) {
      const QRgb c = argb.pixel(x, y);
      if (bits == 8) {
        row[x] = qAlpha(c) < 128 ? '\0' : static_cast<char>(indexed.pixelIndex(x, y));
      } else {
        row[4 * x] = static_cast<char>(qBlue(c));
        row[4 * x + 1] = static_cast<char>(qGreen(c));
        row[4 * x + 2] = static_cast<char>(qRed(c));
        row[4 * x + 3] = static_cast<char>(qAlpha(c));
      }
    }
    out.append(row);
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(maskRow, '\0');
    for (int x = 0; x < w; ++x) {
      if (qAlpha(argb.pixel(x, y)) < 128) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(row);
  }
  return out;
}

}  // namespace

QByteArray IcoFile(const std::vector<IconImage>& images) {
  std::vector<QByteArray> dibs;
  for (const IconImage& icon : images) dibs.push_back(Dib(icon));
  QByteArray out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const QImage& image = images[i].image;
    out.append(static_cast<char>(image.width() >= 256 ? 0 : image.width()));
    out.append(static_cast<char>(image.height() >= 256 ? 0 : image.height()));
    out.append('\0');  // colour count: 0 for 256 colours and more
    out.append('\0');
    Put16(out, 1);
    Put16(out, static_cast<quint16>(images[i].bitsPerPixel));
    Put32(out, static_cast<quint32>(dibs[i].size()));
    Put32(out, offset);
    offset += static_cast<quint32>(dibs[i].size());
  }
  for (const QByteArray& dib : dibs) out.append(dib);
  return out;
}

}  // namespace skin
