#include "main_window/button_class.h"

#include "runtime/control_classes.h"

namespace main_window {

void RegisterButtonClass(runtime::ControlClasses& classes) {
  classes.Register("Zorvane.iButton", [](QWidget* form, runtime::DesignReader& design) {
    return std::make_unique<ImageButton>(form, design);
  });
}

}  // namespace main_window
