#include "main_window/project.h"

#include "image_button/register.h"
#include "main_window/form1.h"
#include "main_window/form2.h"

namespace main_window {

Project::Project() { image_button::RegisterIButton(mClasses); }

Project::~Project() {
  // The copy menu's form refers to the main window, not the other way round.
  mForm2.reset();
  mForm1.reset();
}

main_window::Form1& Project::Form1() {
  if (!mForm1) mForm1 = std::make_unique<main_window::Form1>(*this);
  return *mForm1;
}

main_window::Form2& Project::Form2() {
  if (!mForm2) mForm2 = std::make_unique<main_window::Form2>(*this);
  return *mForm2;
}

}  // namespace main_window
