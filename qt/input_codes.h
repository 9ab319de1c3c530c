// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <Qt>
#include <cstdint>

class QKeyEvent;

// What Qt's input events become for the handlers: the mouse-button and
// modifier codes, the key code of KeyDown and KeyUp, and the character codes
// of KeyPress (runtime/seam/input.h).
namespace qt_frontend {

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

}  // namespace qt_frontend
