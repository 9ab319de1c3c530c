#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace runtime {

class Control;
class DesignReader;

// The control classes a form design may name beyond the runtime's own
// (TextBox, Timer, Menu), such as the system's user controls.
class ControlClasses {
 public:
  // Creates the control on the form's widget from its design settings.
  using Factory = std::function<std::unique_ptr<Control>(QWidget* form, DesignReader& design)>;

  void Register(std::string className, Factory factory);
  [[nodiscard]] const Factory* Find(std::string_view className) const;

 private:
  std::map<std::string, Factory, std::less<>> mFactories;
};

}  // namespace runtime
