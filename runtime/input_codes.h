// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

class QKeyEvent;

// What Qt's input events become for the handlers: the mouse-button and
// modifier codes, the key code of KeyDown and KeyUp, and the character codes
// of KeyPress.
namespace runtime {

// Mouse buttons as the handlers see them: 1 left, 2 right, 4 middle, added
// together when several are held.
std::int16_t ButtonCodes(Qt::MouseButtons buttons);

// Modifier keys as the handlers see them: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers);

// The key code a KeyDown or KeyUp handler sees: the platform-neutral virtual
// key numbers (13 Enter, 32 Space, 65..90 letters, 37..40 arrows, ...), or 0
// for a key that has none.
std::int16_t KeyCodeOf(const QKeyEvent& event);

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
