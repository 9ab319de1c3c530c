// SPDX-License-Identifier: MIT
#pragma once

namespace runtime {
class ControlClasses;
}

namespace image_button {

// Makes "Zorvane.iButton" available to form designs.
void RegisterIButton(runtime::ControlClasses& classes);

}  // namespace image_button
