// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "front_end/test_window_system.h"
#include "image_button/ibutton.h"
#include "main_window/form1.h"
#include "main_window/form2.h"
#include "main_window/project.h"
#include "runtime/dispatch.h"
#include "support/recorded_errors.h"

namespace test_support {

// The real main window on the window system made for tests, shown as at
// start-up. Time stands still until a test lets it pass (Tick).
class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() : form(project.Form1()) { form.Show(); }

  image_button::iButton& Button(const std::string& name) {
    return form.ControlNamed<image_button::iButton>(name);
  }
  test_front_end::TestSurface& Surface(const std::string& name) {
    return dynamic_cast<test_front_end::TestSurface&>(Button(name).Window());
  }
  void Click(const std::string& name) { ws.Click(Surface(name)); }
  runtime::TextBox& Field(int index) { return form.Text1(index); }
  test_front_end::TestField& FieldWindow(int index) {
    return dynamic_cast<test_front_end::TestField&>(form.Text1(index).Field());
  }
  test_front_end::TestForm& Window() { return dynamic_cast<test_front_end::TestForm&>(form.Window()); }
  // Whether the copy menu's form has been created: its window exists,
  // hidden or not.
  bool Form2Exists() {
    const auto& forms = ws.Forms();
    return std::any_of(forms.begin(), forms.end(), [](const auto* window) { return window->Name() == "Form2"; });
  }
  std::u16string Text(int index) { return form.Text1(index).Text(); }
  // A write from code, as a handler would make it.
  void Write(int index, const std::u16string& text) {
    runtime::Boundary([&] { form.Text1(index).SetText(text); });
  }
  // Characters typed into a field, as from the keyboard.
  void Type(int index, std::u16string_view keys) { ws.Type(FieldWindow(index), keys); }
  // One tick of the refresh timer.
  void Tick() { ws.Advance(10); }
  // Opens the copy menu with the copy button and chooses item `item`
  // (0-based), as a user would.
  void ChooseCopyItem(std::size_t item) {
    ws.ChooseInNextMenu(item);
    Click("iButton13");
  }

  test_front_end::TestWindowSystem ws;  // first in, last out
  main_window::Project project;
  RecordedErrors errors{project};
  main_window::Form1& form;
};

}  // namespace test_support
