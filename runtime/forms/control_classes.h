// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/design/design_reader.h"

namespace runtime {

class Control;
class FormWindow;
class UserControl;

// The controls a form design may name by their class: the runtime's own
// TextBox, and the user controls registered by their class name
// ("Project.Class"). Timers and menus are the form's own.
class ControlClasses {
 public:
  // Makes a control of a class on the form's window, from its design and
  // the files the design refers to.
  using Factory =
      std::function<std::unique_ptr<Control>(FormWindow& form, DesignReader& design, const DesignFiles& files)>;
  // Creates a new user control on the form's window, not yet sited.
  using UserControlFactory = std::function<std::unique_ptr<UserControl>(FormWindow& form)>;

  ControlClasses();

  // A user control class: each control `factory` creates is then sited with
  // the saved settings its design names ("Settings").
  void Register(std::string className, UserControlFactory factory);
  [[nodiscard]] const Factory* Find(std::string_view className) const;

 private:
  std::map<std::string, Factory, std::less<>> mFactories;
};

}  // namespace runtime
