// SPDX-License-Identifier: MIT
#include "qt/input_codes.h"

#include <QKeyEvent>
#include <initializer_list>

#include "runtime/seam/input.h"

namespace qt_frontend {
namespace {

// 1, 2 and 4 for the first, second and third of `order` that is set,
// added together.
template <class Flags, class Flag>
std::int16_t CodesOf(Flags flags, std::initializer_list<Flag> order) {
  std::int16_t code = 0;
  std::int16_t bit = 1;
  for (const Flag flag : order) {
    if (flags.testFlag(flag)) code |= bit;
    bit = static_cast<std::int16_t>(bit << 1);
  }
  return code;
}

}  // namespace

std::int16_t ButtonCodes(Qt::MouseButtons buttons) {
  return CodesOf(buttons, {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton});
}

std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
  return CodesOf(modifiers, {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier});
}

std::int16_t KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<std::int16_t>(keypad ? 96 + (key - Qt::Key_0) : key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Asterisk: return keypad ? 106 : 56;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    default: return 0;
  }
}

QString TypedCharacters(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const int key = event.key();
  switch (key) {
    case Qt::Key_Backspace: return QString(QChar(control ? 0x7F : 0x08));
    case Qt::Key_Return:
    case Qt::Key_Enter: return QString(QChar(control ? 0x0A : 0x0D));
    case Qt::Key_Escape: return QString(QChar(0x1B));
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return {};
    default: break;
  }
  // Ctrl with a letter types a control character whatever the platform puts
  // in the event's text; Ctrl+Alt is AltGr on many layouts and types text.
  if (control && !alt) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return QString(QChar(key - Qt::Key_A + 1));
    if (key == Qt::Key_BracketLeft) return QString(QChar(0x1B));
    if (key == Qt::Key_Backslash) return QString(QChar(0x1C));
    if (key == Qt::Key_BracketRight) return QString(QChar(0x1D));
    return {};
  }
  QString text = event.text();
  // Keys such as Delete may carry a stray control character in their text.
  text.removeIf([](QChar c) { return !runtime::IsPrintable(c.unicode()); });
  return text;
}

}  // namespace qt_frontend
