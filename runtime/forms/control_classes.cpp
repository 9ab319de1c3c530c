// SPDX-License-Identifier: MIT
#include "runtime/forms/control_classes.h"

#include <optional>

#include "runtime/controls/control_site.h"
#include "runtime/controls/text_box.h"
#include "runtime/controls/user_control.h"
#include "runtime/design/property_bag.h"

namespace runtime {

ControlClasses::ControlClasses() {
  mFactories.emplace("TextBox", [](FormWindow& form, DesignReader& design, const DesignFiles& /*files*/) {
    return std::unique_ptr<Control>(std::make_unique<TextBox>(form, design));
  });
}

void ControlClasses::Register(std::string className, UserControlFactory factory) {
  mFactories[std::move(className)] = [factory = std::move(factory)](FormWindow& form, DesignReader& design,
                                                                    const DesignFiles& files) {
    PropertyBag settings;
    if (const std::optional<std::string> file = design.Bytes("Settings")) {
      settings = PropertyBag::FromBytes(ReadDesignFile(files, *file));
    }
    std::unique_ptr<UserControl> control = factory(form);
    ControlSite::Site(*control, design, settings);
    return std::unique_ptr<Control>(std::move(control));
  };
}

const ControlClasses::Factory* ControlClasses::Find(std::string_view className) const {
  const auto found = mFactories.find(className);
  return found == mFactories.end() ? nullptr : &found->second;
}

}  // namespace runtime
