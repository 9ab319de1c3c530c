// SPDX-License-Identifier: MIT
// A form's popup menu on Qt: it opens where it is asked to, the item chosen
// from the keyboard runs before the call returns, and a disabled item
// cannot be chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "qt/form_widget.h"
#include "runtime/controls/menu.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"

namespace {

constexpr const char* kDesign =
    "Begin Form F\n"
    "   BorderStyle = 0\n"
    "   Begin Menu s\n"
    "      Caption = \"s\"\n"
    "      Begin Menu a\n"
    "         Caption = \"one\"\n"
    "      End\n"
    "      Begin Menu b\n"
    "         Caption = \"two\"\n"
    "      End\n"
    "   End\n"
    "End\n";

class PopupMenuTest : public testing::Test {
 protected:
  PopupMenuTest() : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes) {}

  qt_frontend::FormWidget& Widget() { return dynamic_cast<qt_frontend::FormWidget&>(form.Window()); }

  runtime::Program program;
  runtime::ControlClasses classes;
  runtime::Form form;
};

TEST_F(PopupMenuTest, APopupMenuOpensAtItsPlaceAndTheChosenItemRunsBeforeItReturns) {
  runtime::Menu& s = form.MenuNamed("s");
  std::vector<std::string> clicked;
  form.MenuNamed("a").Click.Handle([&] { clicked.push_back("a"); });
  form.MenuNamed("b").Click.Handle([&] { clicked.push_back("b"); });
  form.Show();
  QPoint openedAt;
  QTimer::singleShot(0, [&] {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    openedAt = popup->pos();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  runtime::Boundary([&] {
    form.PopupMenu(s, 240, 3225);
    clicked.push_back("returned");
  });
  EXPECT_EQ(openedAt, Widget().mapToGlobal(QPoint(16, 215)));
  EXPECT_EQ(clicked, (std::vector<std::string>{"b", "returned"}));
}

TEST_F(PopupMenuTest, ADisabledItemCannotBeChosen) {
  runtime::Menu& s = form.MenuNamed("s");
  int clicks = 0;
  form.MenuNamed("a").Click.Handle([&] { ++clicks; });
  form.MenuNamed("a").SetEnabled(false);
  form.MenuNamed("b").SetEnabled(false);
  form.Show();
  QTimer::singleShot(0, [&] {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    if (QApplication::activePopupWidget() != nullptr) QTest::keyClick(popup, Qt::Key_Escape);
  });
  runtime::Boundary([&] { form.PopupMenu(s, 0, 0); });
  EXPECT_EQ(clicks, 0);
}

}  // namespace
