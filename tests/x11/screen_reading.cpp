// SPDX-License-Identifier: MIT
#include "screen_reading.h"

#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace x11_test {

int Luminance(QRgb pixel) { return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000; }

QRect DarkInk(const QImage& image, const QRect& area, int threshold) {
  QRect ink;
  const QRect inside = area & image.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (Luminance(image.pixel(x, y)) < threshold) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink;
}

QString ReadDigits(const QImage& line) {
  // OCR reads best at about 60 pixels a line, on a white margin.
  constexpr int kHeight = 84;
  constexpr int kMargin = 30;
  const QImage scaled = line.convertToFormat(QImage::Format_Grayscale8)
                            .scaledToHeight(kHeight, Qt::SmoothTransformation);
  QImage page(scaled.width() + 2 * kMargin, scaled.height() + 2 * kMargin, QImage::Format_Grayscale8);
  page.fill(Qt::white);
  QPainter(&page).drawImage(kMargin, kMargin, scaled);
  const QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("line.png"));
  if (!folder.isValid() || !page.save(file)) return {};
  const std::string command = "tesseract '" + file.toStdString() +
                              "' stdout --psm 7 -c tessedit_char_whitelist=0123456789 2>/dev/null";
  FILE* ocr = popen(command.c_str(), "r");
  if (ocr == nullptr) return {};
  std::string read;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, ocr) != nullptr) read += buffer;
  pclose(ocr);
  QString digits;
  for (const QChar c : QString::fromStdString(read)) {
    if (c.isDigit()) digits += c;
  }
  return digits;
}

double ShareOf(const QImage& image, const QRect& area, QRgb colour, int tolerance) {
  const QRect inside = area & image.rect();
  if (inside.isEmpty()) return 0;
  int matching = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (std::abs(qRed(pixel) - qRed(colour)) <= tolerance && std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
          std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance) {
        ++matching;
      }
    }
  }
  return static_cast<double>(matching) / (inside.width() * inside.height());
}

}  // namespace x11_test
