#include "runtime/colour.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace runtime {

QColor ToQColor(Colour colour) {
  if (!IsSystemColour(colour)) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
  }
  const QPalette palette = QApplication::palette();
  switch (colour & 0xFF) {
    case 0x05: return palette.color(QPalette::Base);
    case 0x08: return palette.color(QPalette::Text);
    case 0x0F: return palette.color(QPalette::Button);
    case 0x12: return palette.color(QPalette::ButtonText);
    default: return palette.color(QPalette::WindowText);
  }
}

}  // namespace runtime
