#pragma once

#include <cstdint>

class QKeyEvent;

namespace runtime {

// The key code a KeyDown or KeyUp handler sees: the platform-neutral virtual
// key numbers (13 Enter, 32 Space, 65..90 letters, 37..40 arrows, ...), or 0
// for a key that has none.
std::int16_t KeyCodeOf(const QKeyEvent& event);

}  // namespace runtime
