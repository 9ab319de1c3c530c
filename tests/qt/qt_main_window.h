// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <string>

#include "image_button/ibutton.h"
#include "main_window/form1.h"
#include "main_window/form2.h"
#include "main_window/project.h"
#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "qt/line_edit_box.h"
#include "qt/surface_widget.h"
#include "runtime/dispatch.h"
#include "support/recorded_errors.h"

namespace test_support {

// The real main window on Qt's offscreen platform, shown as at start-up.
class QtMainWindowTest : public testing::Test {
 protected:
  QtMainWindowTest() : form(project.Form1()) { form.Show(); }

  image_button::iButton& Button(const std::string& name) { return form.ControlNamed<image_button::iButton>(name); }
  qt_frontend::SurfaceWidget* Surface(const std::string& name) {
    return dynamic_cast<qt_frontend::SurfaceWidget*>(&Button(name).Window());
  }
  void Click(const std::string& name) {
    QWidget* widget = Surface(name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }
  runtime::TextBox& Field(int index) { return form.Text1(index); }
  qt_frontend::LineEditBox* FieldWidget(int index) {
    return dynamic_cast<qt_frontend::LineEditBox*>(&form.Text1(index).Field());
  }
  qt_frontend::FormWidget& Window() { return dynamic_cast<qt_frontend::FormWidget&>(form.Window()); }
  QString Text(int index) { return qt_frontend::ToQString(form.Text1(index).Text()); }
  // A write from code, as a handler would make it.
  void Write(int index, const std::u16string& text) {
    runtime::Boundary([&] { form.Text1(index).SetText(text); });
  }

  main_window::Project project;
  RecordedErrors errors{project};
  main_window::Form1& form;
};

}  // namespace test_support
