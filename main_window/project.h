// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>

#include "runtime/design/form_design.h"
#include "runtime/forms/control_classes.h"
#include "runtime/program.h"

namespace main_window {

class Form1;
class Form2;

// The running system: its control classes and the one global instance of
// each form, created from its design on first reference. Form2 is never
// shown; it exists for its menu.
class Project : public runtime::Program {
 public:
  Project();
  ~Project() override;

  main_window::Form1& Form1();
  // Form1's design, read once: ahead of the window for its pictures, then
  // for the window. A design that cannot be read raises each time.
  const runtime::DesignNode& Form1Design();
  main_window::Form2& Form2();

  [[nodiscard]] const runtime::ControlClasses& Classes() const { return mClasses; }

 private:
  runtime::ControlClasses mClasses;
  std::optional<runtime::DesignNode> mForm1Design;
  std::unique_ptr<main_window::Form1> mForm1;
  std::unique_ptr<main_window::Form2> mForm2;
};

}  // namespace main_window
