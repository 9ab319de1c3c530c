// SPDX-License-Identifier: MIT
#include "runtime/values/colour.h"

#include <QColor>

namespace runtime {

QColor ToQColor(Colour colour) {
  if (!IsSystemColour(colour)) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
  }
  // The light values the designs were drawn against, whatever the desktop's
  // palette: a control that names a system colour sits on a picture skin
  // that stays light, and dark text on it must stay dark. What lies outside
  // the skin (menus, tooltips, message boxes) follows the desktop.
  switch (colour & 0xFF) {
    case 0x05: return QColor(255, 255, 255);  // window background
    case 0x0F: return QColor(240, 240, 240);  // button face
    case 0x08:                                // window text
    case 0x12:                                // button text
    default: return QColor(0, 0, 0);
  }
}

}  // namespace runtime
