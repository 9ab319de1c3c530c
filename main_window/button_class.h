#pragma once

#include "main_window/stand_in_button.h"

namespace runtime {
class ControlClasses;
}

namespace main_window {

// The control class the design names "Zorvane.iButton". The controller only
// binds its Click and reads its position, so the class can change under it.
using ImageButton = StandInButton;

void RegisterButtonClass(runtime::ControlClasses& classes);

}  // namespace main_window
