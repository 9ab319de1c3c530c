// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace x11_test {

// 0 (black) to 255 (white), as the eye weighs the channels.
int Luminance(QRgb pixel);

// The smallest rectangle holding every pixel of `area` darker than
// `threshold`; empty when there is none.
QRect DarkInk(const QImage& image, const QRect& area, int threshold);

// The digits OCR reads in a picture of one line of text; empty when it
// reads none.
QString ReadDigits(const QImage& line);

// How many of the pixels of `area` are within `tolerance` of `colour` in
// every channel, as a share of them all.
double ShareOf(const QImage& image, const QRect& area, QRgb colour, int tolerance);

}  // namespace x11_test
