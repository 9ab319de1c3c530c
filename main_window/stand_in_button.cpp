#include "main_window/stand_in_button.h"

#include <QPushButton>

#include "runtime/dispatch.h"

namespace main_window {

StandInButton::StandInButton(QWidget* form, runtime::DesignReader& design)
    : runtime::Control(new QPushButton(form), design) {
  auto* button = static_cast<QPushButton*>(Widget());
  button->setText(ToolTipText());
  QObject::connect(button, &QPushButton::clicked, button,
                   [this] { runtime::Boundary([this] { Click.Raise(); }); });
}

}  // namespace main_window
