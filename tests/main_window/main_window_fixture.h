// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>

#include "main_window/form1.h"
#include "main_window/form2.h"
#include "main_window/project.h"
#include "runtime/dispatch.h"
#include "runtime/forms/form_widget.h"
#include "support/eventually.h"
#include "support/recorded_errors.h"

namespace test_support {

// The real main window on the offscreen platform, shown as at start-up.
class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() : form(project.Form1()) { form.Show(); }

  image_button::iButton& Button(const std::string& name) {
    return form.ControlNamed<image_button::iButton>(name);
  }
  void Click(const std::string& name) {
    QWidget* widget = Button(name).Widget();
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
  }
  runtime::TextBox& Field(int index) { return form.Text1(index); }
  // Whether the copy menu's form has been created: its window exists,
  // hidden or not.
  static bool Form2Exists() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](const QWidget* window) { return window->objectName() == QStringLiteral("Form2"); });
  }
  QString Text(int index) { return form.Text1(index).Text(); }
  // A write from code, as a handler would make it.
  void Write(int index, const QString& text) {
    runtime::Boundary([&] { form.Text1(index).SetText(text); });
  }
  void Type(int index, const QString& keys) { QTest::keyClicks(Field(index).Widget(), keys); }
  static bool Eventually(const std::function<bool()>& condition) { return test_support::Eventually(condition); }
  // Opens the copy menu with the copy button and chooses item `item` (0-based)
  // from the keyboard, as a user would.
  void ChooseCopyItem(int item) {
    QTimer::singleShot(0, [item] {
      QWidget* popup = QApplication::activePopupWidget();
      if (popup == nullptr) return;
      for (int i = 0; i <= item; ++i) QTest::keyClick(popup, Qt::Key_Down);
      QTest::keyClick(popup, Qt::Key_Return);
      if (QApplication::activePopupWidget() != nullptr) QTest::keyClick(popup, Qt::Key_Escape);
    });
    Click("iButton13");
  }

  main_window::Project project;
  RecordedErrors errors{project};
  main_window::Form1& form;
};

}  // namespace test_support
