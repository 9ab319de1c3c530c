#include "runtime/input_codes.h"

#include <initializer_list>

namespace runtime {
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

}  // namespace runtime
