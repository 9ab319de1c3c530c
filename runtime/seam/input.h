// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Input as the front-ends hand it to the core, in the codes the handlers see
// whatever the window system: mouse buttons 1 left, 2 right, 4 middle (added
// together when several are held); modifier keys 1 Shift, 2 Ctrl, 4 Alt; key
// codes the platform-neutral virtual key numbers (13 Enter, 32 Space, 37..40
// arrows, 65..90 letters, 0 for a key that has none).
namespace runtime {

inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

inline constexpr std::int16_t kKeyBack = 8;
inline constexpr std::int16_t kKeyTab = 9;
inline constexpr std::int16_t kKeyReturn = 13;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeySpace = 32;

// A mouse event over a window: the button that went down or up (for a move,
// every button held), the modifiers, and the place in logical pixels from
// the window's top-left corner.
struct MouseInput {
  std::int16_t button = 0;
  std::int16_t shift = 0;
  double x = 0;
  double y = 0;
};

// The character code Backspace types, as a KeyPress handler sees it.
inline constexpr std::int16_t kBackspaceAscii = 8;

// True for codes that insert something rather than command the field.
constexpr bool IsPrintable(char16_t c) { return c >= 0x20 && c != 0x7F; }

}  // namespace runtime
