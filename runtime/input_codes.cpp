#include "runtime/input_codes.h"

namespace runtime {

std::int16_t ButtonCodes(Qt::MouseButtons buttons) {
  std::int16_t code = 0;
  if (buttons.testFlag(Qt::LeftButton)) code |= 1;
  if (buttons.testFlag(Qt::RightButton)) code |= 2;
  if (buttons.testFlag(Qt::MiddleButton)) code |= 4;
  return code;
}

std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
  std::int16_t code = 0;
  if (modifiers.testFlag(Qt::ShiftModifier)) code |= 1;
  if (modifiers.testFlag(Qt::ControlModifier)) code |= 2;
  if (modifiers.testFlag(Qt::AltModifier)) code |= 4;
  return code;
}

}  // namespace runtime
