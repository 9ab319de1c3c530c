#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace skin {
namespace {

enum class Look { Normal, Hover, Pressed };

struct KeyColours {
  QColor top;
  QColor bottom;
  QColor rim;
  QColor shade;
};

KeyColours KeyColoursFor(Look look) {
  switch (look) {
    case Look::Hover: return {QColor(0xA9, 0xD4, 0xFA), QColor(0x78, 0xB6, 0xF0), QColor(0xE8, 0xF4, 0xFF), QColor(0x4C, 0x8E, 0xD6)};
    case Look::Pressed: return {QColor(0x4F, 0x8F, 0xD8), QColor(0x6C, 0xA6, 0xE6), QColor(0x2F, 0x6C, 0xB8), QColor(0x9C, 0xC8, 0xF2)};
    default: return {QColor(0x8C, 0xC3, 0xF6), QColor(0x5C, 0xA2, 0xEA), QColor(0xD6, 0xEB, 0xFF), QColor(0x3A, 0x7C, 0xC8)};
  }
}

// One key face filling the frame: a soft vertical gradient, a light rim at
// the top and left, a deeper edge at the bottom and right (swapped when
// pressed, so the key looks pushed in).
void DrawKey(QPainter& painter, const QRect& frame, Look look) {
  const KeyColours c = KeyColoursFor(look);
  QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
  fill.setColorAt(0, c.top);
  fill.setColorAt(1, c.bottom);
  painter.fillRect(frame, fill);
  const QRect inner = frame.adjusted(0, 0, -1, -1);
  painter.setPen(c.rim);
  painter.drawLine(inner.topLeft(), inner.topRight());
  painter.drawLine(inner.topLeft(), inner.bottomLeft());
  painter.setPen(c.shade);
  painter.drawLine(inner.bottomLeft(), inner.bottomRight());
  painter.drawLine(inner.topRight(), inner.bottomRight());
  // A faint gloss on the upper half.
  QLinearGradient gloss(frame.topLeft(), QPoint(frame.left(), frame.center().y()));
  gloss.setColorAt(0, QColor(255, 255, 255, look == Look::Pressed ? 20 : 70));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  painter.fillRect(inner.adjusted(1, 1, 0, -inner.height() / 2), gloss);
}

QColor CornerBlue(Look look) {
  switch (look) {
    case Look::Hover: return QColor(0x5F, 0xA9, 0xEE);
    case Look::Pressed: return QColor(0x2C, 0x72, 0xC4);
    default: return QColor(0x46, 0x93, 0xE3);
  }
}

void DrawCornerBase(QPainter& painter, const QRect& frame, const QColor& base, bool pressed) {
  QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
  fill.setColorAt(0, base.lighter(pressed ? 100 : 118));
  fill.setColorAt(1, base.darker(pressed ? 112 : 100));
  QPainterPath shape;
  shape.addRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  painter.fillRect(frame, QColor(0x3B, 0x86, 0xD9));  // the sky behind the corners
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(shape, fill);
  painter.setPen(QColor(255, 255, 255, pressed ? 60 : 110));
  painter.drawPath(shape);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

QImage Strip(int frameWidth, int frameHeight, const std::function<void(QPainter&, const QRect&, Look)>& draw) {
  QImage strip(frameWidth * 5, frameHeight, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  const Look looks[5] = {Look::Normal, Look::Hover, Look::Pressed, Look::Normal, Look::Normal};
  for (int i = 0; i < 5; ++i) draw(painter, QRect(i * frameWidth, 0, frameWidth, frameHeight), looks[i]);
  return strip;
}

}  // namespace

QImage KeyStrip() {
  return Strip(35, 35, [](QPainter& p, const QRect& frame, Look look) { DrawKey(p, frame, look); });
}

QImage WideKeyStrip() {
  return Strip(70, 35, [](QPainter& p, const QRect& frame, Look look) { DrawKey(p, frame, look); });
}

QImage MinimiseStrip() {
  return Strip(28, 28, [](QPainter& p, const QRect& frame, Look look) {
    DrawCornerBase(p, frame, CornerBlue(look), look == Look::Pressed);
    const int drop = look == Look::Pressed ? 1 : 0;
    // A short bar just below the middle.
    p.fillRect(QRect(frame.left() + 8, frame.top() + 16 + drop, 12, 3), QColor(0xFF, 0xFF, 0xFF));
  });
}

QImage CloseStrip() {
  return Strip(28, 28, [](QPainter& p, const QRect& frame, Look look) {
    const QColor base = look == Look::Normal ? CornerBlue(look)
                        : look == Look::Hover ? QColor(0xE0, 0x3C, 0x31)
                                              : QColor(0xB0, 0x24, 0x1C);
    DrawCornerBase(p, frame, base, look == Look::Pressed);
    const int shift = look == Look::Pressed ? 1 : 0;
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0xFF, 0xF6, 0xDC), 2.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const QPointF centre(frame.left() + 14 + shift, frame.top() + 14 + shift);
    p.drawLine(centre + QPointF(-5.5, -5.5), centre + QPointF(5.5, 5.5));
    p.drawLine(centre + QPointF(-5.5, 5.5), centre + QPointF(5.5, -5.5));
    p.setRenderHint(QPainter::Antialiasing, false);
  });
}

}  // namespace skin
