// SPDX-License-Identifier: MIT
#include "image_button/register.h"

#include "image_button/ibutton.h"
#include "runtime/forms/control_classes.h"

namespace image_button {

void RegisterIButton(runtime::ControlClasses& classes) {
  classes.Register("Zorvane.iButton", [](runtime::FormWindow& form) { return std::make_unique<iButton>(form); });
}

}  // namespace image_button
