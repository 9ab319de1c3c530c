// SPDX-License-Identifier: MIT
#include "artwork.h"

#include "ico_writer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <functional>
#include <tuple>

namespace skin {
namespace {

enum class Look { Normal, Hover, Pressed };

const QColor kLabelBlue(0x17, 0x4A, 0x8A);
const QString kFace = QStringLiteral("WenQuanYi Micro Hei");

struct KeyColours {
  QColor top;
  QColor bottom;
  QColor rim;
};

KeyColours KeyColoursFor(Look look) {
  switch (look) {
    case Look::Hover: return {QColor(0xB4, 0xDB, 0xFC), QColor(0x82, 0xBD, 0xF3), QColor(0xF0, 0xF8, 0xFF)};
    case Look::Pressed: return {QColor(0x4A, 0x8A, 0xD4), QColor(0x68, 0xA3, 0xE4), QColor(0x2A, 0x66, 0xB2)};
    default: return {QColor(0x96, 0xCA, 0xF8), QColor(0x62, 0xA6, 0xEC), QColor(0xDC, 0xEE, 0xFF)};
  }
}

// One key: a rounded face on the skin behind it, with a soft vertical
// gradient (darker at the top when pressed, so the key looks pushed in), a
// rim, a faint shadow below and a gloss on its upper half.
void DrawKey(QPainter& painter, const QRect& frame, const QImage& backdrop, Look look) {
  const KeyColours c = KeyColoursFor(look);
  painter.drawImage(frame.topLeft(), backdrop);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF outer = QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shadow;
  shadow.addRoundedRect(outer.translated(0, 0.8), 5, 5);
  painter.fillPath(shadow, QColor(0x0E, 0x3C, 0x78, look == Look::Pressed ? 20 : 60));
  QPainterPath face;
  face.addRoundedRect(outer.adjusted(0, 0, 0, -0.8), 5, 5);
  QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
  fill.setColorAt(0, c.top);
  fill.setColorAt(1, c.bottom);
  painter.fillPath(face, fill);
  QPainterPath gloss;
  gloss.addRoundedRect(outer.adjusted(1.5, 1.5, -1.5, -outer.height() / 2), 4, 4);
  painter.fillPath(gloss, QColor(255, 255, 255, look == Look::Pressed ? 14 : 55));
  painter.setPen(QPen(c.rim, 1));
  painter.drawPath(face);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

// A small rounded button of the title area, on the skin it stands on.
void DrawCornerButton(QPainter& painter, const QRect& frame, const QImage& backdrop, const QColor& base,
                      Look look) {
  painter.drawImage(frame.topLeft(), backdrop);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(frame).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
  QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
  fill.setColorAt(0, base.lighter(look == Look::Pressed ? 102 : 125));
  fill.setColorAt(1, base.darker(look == Look::Pressed ? 118 : 104));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(shape, fill);
  painter.setPen(QPen(QColor(255, 255, 255, look == Look::Pressed ? 70 : 150), 1));
  painter.drawPath(shape);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

QColor CornerBlue(Look look) {
  switch (look) {
    case Look::Hover: return QColor(0x5C, 0xA8, 0xF0);
    case Look::Pressed: return QColor(0x28, 0x6C, 0xC0);
    default: return QColor(0x3E, 0x8E, 0xE2);
  }
}

QImage Strip(int frameWidth, int frameHeight, const std::function<void(QPainter&, const QRect&, Look)>& draw) {
  QImage strip(frameWidth * 5, frameHeight, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  const Look looks[5] = {Look::Normal, Look::Hover, Look::Pressed, Look::Normal, Look::Normal};
  for (int i = 0; i < 5; ++i) draw(painter, QRect(i * frameWidth, 0, frameWidth, frameHeight), looks[i]);
  return strip;
}

void DrawSymbol(QPainter& painter, const QRectF& box) {
  // Four panes of a window, as a 2 x 2 grid of rounded squares.
  const qreal gap = std::max<qreal>(1, box.width() / 12);
  const qreal pane = (box.width() - gap) / 2;
  const qreal radius = std::max<qreal>(0.5, pane / 6);
  const QColor tops[4] = {QColor(0x6F, 0xC0, 0xFF), QColor(0x4F, 0xA8, 0xF6), QColor(0x3C, 0x93, 0xEC), QColor(0x2B, 0x7E, 0xE0)};
  const QColor bottoms[4] = {QColor(0x2E, 0x86, 0xE8), QColor(0x1F, 0x6E, 0xD6), QColor(0x1A, 0x60, 0xC8), QColor(0x14, 0x50, 0xB4)};
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 4; ++i) {
    const QRectF square(box.left() + (i % 2) * (pane + gap), box.top() + (i / 2) * (pane + gap), pane, pane);
    QLinearGradient fill(square.topLeft(), square.bottomRight());
    fill.setColorAt(0, tops[i]);
    fill.setColorAt(1, bottoms[i]);
    QPainterPath path;
    path.addRoundedRect(square, radius, radius);
    painter.fillPath(path, fill);
    if (box.width() >= 24) {
      painter.setPen(QPen(QColor(255, 255, 255, 150), box.width() / 40));
      painter.drawPath(path);
    }
  }
}

}  // namespace

QImage WindowSkin() {
  QImage skin(320, 240, QImage::Format_RGB32);
  QPainter p(&skin);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, 0, 240);
  sky.setColorAt(0.0, QColor(0x78, 0xBE, 0xF6));
  sky.setColorAt(0.35, QColor(0x5A, 0xA6, 0xEE));
  sky.setColorAt(1.0, QColor(0x2A, 0x74, 0xCE));
  p.fillRect(skin.rect(), sky);
  QRadialGradient glow(QPointF(70, 10), 200);
  glow.setColorAt(0, QColor(255, 255, 255, 60));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(skin.rect(), glow);
  // A few soft clouds low on the right, under the keypad.
  for (const auto& [x, y, w, h, a] : {std::tuple{215, 205, 120, 38, 30}, std::tuple{150, 222, 90, 30, 22},
                                      std::tuple{262, 190, 80, 30, 24}, std::tuple{20, 226, 110, 26, 18}}) {
    QRadialGradient cloud(QPointF(x, y), w / 2.0);
    cloud.setColorAt(0, QColor(255, 255, 255, a));
    cloud.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(cloud);
    p.drawEllipse(QPointF(x, y), w / 2.0, h / 2.0);
  }

  // The window's own edge: dark outside, a light line within.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QColor(0x1C, 0x58, 0xA6));
  p.drawRect(0, 0, 319, 239);
  p.setPen(QColor(255, 255, 255, 90));
  p.drawRect(1, 1, 317, 237);
  p.setRenderHint(QPainter::Antialiasing);

  // The logo and the product name.
  DrawSymbol(p, QRectF(12, 9, 26, 26));
  QFont name(kFace);
  name.setPixelSize(22);
  name.setBold(true);
  p.setFont(name);
  const QString title = QStringLiteral("Zorvane");
  p.setPen(QColor(0x0C, 0x36, 0x6E, 150));
  p.drawText(QPointF(47, 31), title);
  p.setPen(Qt::white);
  p.drawText(QPointF(46, 30), title);
  const qreal titleWidth = QFontMetricsF(name).horizontalAdvance(title);
  QFont version(kFace);
  version.setPixelSize(22);
  p.setFont(version);
  p.setPen(QColor(0x0C, 0x36, 0x6E, 150));
  p.drawText(QPointF(47 + titleWidth + 6, 31), QStringLiteral("2.0"));
  p.setPen(QColor(0xEA, 0xF6, 0xFF));
  p.drawText(QPointF(46 + titleWidth + 6, 30), QStringLiteral("2.0"));

  // Three white panels, each round one field, label on the left and unit
  // on the right. The fields are 81 x 21 at x 64 and y 59, 103 and 153.
  const struct {
    int fieldTop;
    const char* label;
    const char* unit;
  } panels[] = {{59, "整数", "GB"}, {103, "FAT32", "MB"}, {153, "NTFS", "MB"}};
  QFont labelFont(kFace);
  labelFont.setPixelSize(12);
  labelFont.setBold(true);
  p.setFont(labelFont);
  for (const auto& panel : panels) {
    const QRectF box(12, panel.fieldTop - 4, 166, 29);
    QPainterPath shadow;
    shadow.addRoundedRect(box.translated(0, 1.5), 7, 7);
    p.fillPath(shadow, QColor(0x0E, 0x3C, 0x78, 55));
    QPainterPath shape;
    shape.addRoundedRect(box, 7, 7);
    p.fillPath(shape, Qt::white);
    p.setPen(QPen(QColor(0xB8, 0xD8, 0xF6), 1));
    p.drawPath(shape);
    p.setPen(kLabelBlue);
    p.drawText(QRectF(16, box.top(), 46, box.height()), Qt::AlignCenter, QString::fromUtf8(panel.label));
    p.drawText(QRectF(146, box.top(), 30, box.height()), Qt::AlignCenter, QString::fromUtf8(panel.unit));
    // A hairline between the label and the field.
    p.setPen(QColor(0xD4, 0xE6, 0xF8));
    p.drawLine(QPointF(62.5, box.top() + 6), QPointF(62.5, box.bottom() - 6));
  }
  return skin;
}

QImage KeyStrip(const QImage& skin) {
  // Ten keys share this strip; the skin behind the middle one serves all.
  const QImage backdrop = skin.copy(232, 96, 35, 35);
  return Strip(35, 35, [&](QPainter& p, const QRect& frame, Look look) { DrawKey(p, frame, backdrop, look); });
}

QImage WideKeyStrip(const QImage& skin) {
  const QImage backdrop = skin.copy(16, 180, 70, 35);
  return Strip(70, 35, [&](QPainter& p, const QRect& frame, Look look) { DrawKey(p, frame, backdrop, look); });
}

QImage MinimiseStrip(const QImage& skin) {
  const QImage backdrop = skin.copy(263, 1, 28, 28);
  return Strip(28, 28, [&](QPainter& p, const QRect& frame, Look look) {
    DrawCornerButton(p, frame, backdrop, CornerBlue(look), look);
    const int drop = look == Look::Pressed ? 1 : 0;
    p.fillRect(QRect(frame.left() + 8, frame.top() + 16 + drop, 12, 3), Qt::white);
  });
}

QImage CloseStrip(const QImage& skin) {
  const QImage backdrop = skin.copy(291, 1, 28, 28);
  return Strip(28, 28, [&](QPainter& p, const QRect& frame, Look look) {
    const QColor base = look == Look::Normal ? CornerBlue(look)
                        : look == Look::Hover ? QColor(0xE8, 0x45, 0x38)
                                              : QColor(0xB4, 0x26, 0x1E);
    DrawCornerButton(p, frame, backdrop, base, look);
    const int shift = look == Look::Pressed ? 1 : 0;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xFF, 0xF5, 0xD8), 2.4, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(frame.left() + 14 + shift, frame.top() + 14 + shift);
    p.drawLine(centre + QPointF(-5, -5), centre + QPointF(5, 5));
    p.drawLine(centre + QPointF(-5, 5), centre + QPointF(5, -5));
    p.setRenderHint(QPainter::Antialiasing, false);
  });
}

QImage AppSymbol(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const qreal margin = size >= 32 ? size / 16.0 : 0.5;
  DrawSymbol(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
  return image;
}

QByteArray AppIconFile() {
  return IcoFile({{AppSymbol(16), 8}, {AppSymbol(48), 32}, {AppSymbol(32), 32}, {AppSymbol(16), 32}});
}

}  // namespace skin
