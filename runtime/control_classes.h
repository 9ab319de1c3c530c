#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class QWidget;

namespace runtime {

class UserControl;

// The user controls a form design may name beyond the runtime's own controls
// (TextBox, Timer, Menu), by their class name ("Project.Class").
class ControlClasses {
 public:
  // Creates a new control on the form's widget; the form then sites it.
  using Factory = std::function<std::unique_ptr<UserControl>(QWidget* form)>;

  void Register(std::string className, Factory factory);
  [[nodiscard]] const Factory* Find(std::string_view className) const;

 private:
  std::map<std::string, Factory, std::less<>> mFactories;
};

}  // namespace runtime
