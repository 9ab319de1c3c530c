#pragma once

#include "runtime/control.h"
#include "runtime/event.h"

class QWidget;

namespace runtime {
class DesignReader;
}

namespace main_window {

// A plain push button that stands where an image button belongs until the
// image button control exists. It shows its tooltip as its caption and
// raises Click, which is all the main window asks of its buttons.
class StandInButton : public runtime::Control {
 public:
  StandInButton(QWidget* form, runtime::DesignReader& design);

  runtime::Event<> Click;
};

}  // namespace main_window
