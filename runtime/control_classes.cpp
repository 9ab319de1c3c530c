#include "runtime/control_classes.h"

namespace runtime {

void ControlClasses::Register(std::string className, Factory factory) {
  mFactories[std::move(className)] = std::move(factory);
}

const ControlClasses::Factory* ControlClasses::Find(std::string_view className) const {
  const auto found = mFactories.find(className);
  return found == mFactories.end() ? nullptr : &found->second;
}

}  // namespace runtime
