#pragma once

#include <Qt>
#include <cstdint>

namespace runtime {

// Mouse buttons as the handlers see them: 1 left, 2 right, 4 middle, added
// together when several are held.
std::int16_t ButtonCodes(Qt::MouseButtons buttons);

// Modifier keys as the handlers see them: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace runtime
