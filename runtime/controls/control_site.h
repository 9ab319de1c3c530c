// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "runtime/controls/user_control.h"
#include "runtime/design/property_bag.h"

namespace runtime {

class DesignReader;

// What a container does with a user control placed on it, and nothing else
// does: site it from the design with its saved settings, show it with the
// form, unload it, save its settings, and hear of its changed properties. The
// control's surface and handlers stay the control's own.
class ControlSite {
 public:
  ControlSite() = delete;

  static void Site(UserControl& control, DesignReader& design, const PropertyBag& settings) {
    control.Site(design, settings);
  }
  static void Show(UserControl& control) { control.ShowOnForm(); }
  static void Unload(UserControl& control) { control.Unload(); }
  // The settings as a form stores them: the extent in HIMETRIC first
  // ("_extentx", "_extenty"), then whatever WriteProperties writes.
  [[nodiscard]] static PropertyBag SaveSettings(UserControl& control) { return control.SaveSettings(); }
  // Called with the property's name after each change the control announces.
  static void OnPropertyChanged(UserControl& control, std::function<void(std::string_view)> listener) {
    control.mPropertyListener = std::move(listener);
  }
};

}  // namespace runtime
