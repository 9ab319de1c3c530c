#pragma once

#include <QString>
#include <cstdint>

class QKeyEvent;

namespace runtime {

// The characters a keystroke types, as the character codes a KeyPress
// handler sees: printable text, and the control characters that Enter (13),
// Backspace (8), Escape (27) and Ctrl+letter (1..26) produce. Keys that type
// nothing (arrows, Home, Delete, Tab, function keys, Shift+Insert) give an
// empty text.
QString TypedCharacters(const QKeyEvent& event);

// The character code Backspace types.
inline constexpr std::int16_t kBackspaceAscii = 8;

// A character code as the 16-bit KeyAscii argument, and back.
inline std::int16_t ToKeyAscii(QChar c) { return static_cast<std::int16_t>(c.unicode()); }
inline QChar FromKeyAscii(std::int16_t code) { return QChar(static_cast<char16_t>(code)); }

// True for codes that insert something rather than command the field.
inline bool IsPrintable(QChar c) { return c.unicode() >= 0x20 && c.unicode() != 0x7F; }

}  // namespace runtime
