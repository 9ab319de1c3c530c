// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "runtime/design/form_design.h"

namespace main_window {

// A form design embedded in the program, by file name ("form1.frm").
runtime::DesignNode LoadDesign(std::string_view fileName);

// The embedded files the designs refer to (the buttons' saved settings, the
// pictures); a load error for a file the program does not carry.
std::string LoadDesignFile(std::string_view fileName);

}  // namespace main_window
