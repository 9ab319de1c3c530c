#include "runtime/key_ascii.h"

#include <QKeyEvent>

namespace runtime {

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
  text.removeIf([](QChar c) { return !IsPrintable(c); });
  return text;
}

}  // namespace runtime
