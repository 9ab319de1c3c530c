// SPDX-License-Identifier: MIT
// A form's window on Qt: it follows the pointer from a press on its
// background until that button comes up, closing it ends the program when it
// is the start-up form's, it minimises, and the window under a point is
// found past disabled and hidden windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "qt/form_widget.h"
#include "qt/window_handles.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/win32.h"
#include "support/recorded_errors.h"

namespace {

using runtime::TextBox;

constexpr const char* kDesign =
    "Begin Form F\n"
    "   BorderStyle = 0\n"
    "   ClientWidth = 4800\n"
    "   ClientHeight = 3600\n"
    "   Begin TextBox T\n"
    "      Index = 0\n"
    "      Left = 960\n"
    "      Top = 880\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "   End\n"
    "End\n";

class FormWidgetTest : public testing::Test {
 protected:
  FormWidgetTest() : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes) {}

  qt_frontend::FormWidget& Widget() { return dynamic_cast<qt_frontend::FormWidget&>(form.Window()); }
  QWidget* FieldWidget() { return dynamic_cast<QWidget*>(&form.ArrayNamed<TextBox>("T")(0).Window()); }

  void Press(Qt::MouseButton button, QPoint local) {
    QMouseEvent press(QEvent::MouseButtonPress, local, Widget().mapToGlobal(local), button, button, Qt::NoModifier);
    QApplication::sendEvent(&Widget(), &press);
  }
  void MovePointerTo(QPoint global, Qt::MouseButtons held) {
    const QPoint local = global - Widget().pos();
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(&Widget(), &move);
  }
  void Release(Qt::MouseButton button, QPoint global) {
    const QPoint local = global - Widget().pos();
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Widget(), &release);
  }

  runtime::Program program;
  test_support::RecordedErrors errors{program};
  runtime::ControlClasses classes;
  runtime::Form form;
};

TEST_F(FormWidgetTest, AnyMouseButtonDragsTheWindowUntilThatButtonComesUp) {
  form.MouseDown.Handle([this](std::int16_t& button, std::int16_t&, float& x, float& y) {
    EXPECT_EQ(button, 2);
    EXPECT_EQ(x, 75.0f);
    EXPECT_EQ(y, 150.0f);
    runtime::win32::ReleaseCapture();
    runtime::win32::SendMessageA(form.hWnd(), runtime::win32::WM_SYSCOMMAND, 0xF012, 0);
  });
  form.Show();
  Widget().move(100, 100);
  const QPoint start = Widget().mapToGlobal(QPoint(5, 10));
  Press(Qt::RightButton, QPoint(5, 10));
  MovePointerTo(start + QPoint(40, 25), Qt::RightButton);
  EXPECT_EQ(Widget().pos(), QPoint(140, 125));
  MovePointerTo(start + QPoint(-30, 5), Qt::RightButton | Qt::LeftButton);
  EXPECT_EQ(Widget().pos(), QPoint(70, 105));
  Release(Qt::LeftButton, start + QPoint(-30, 5));
  MovePointerTo(start + QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(Widget().pos(), QPoint(110, 110)) << "another button's release does not stop it";
  Release(Qt::RightButton, start + QPoint(10, 10));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  MovePointerTo(start + QPoint(50, 50), Qt::NoButton);
  EXPECT_EQ(Widget().pos(), QPoint(110, 110)) << "after the release the window stays";
}

// A press on a field is the field's: the form hears nothing of it.
TEST_F(FormWidgetTest, APressOnAFieldIsNotTheBackgrounds) {
  int presses = 0;
  form.MouseDown.Handle([&](std::int16_t&, std::int16_t&, float&, float&) { ++presses; });
  form.Show();
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mousePress(FieldWidget(), button, {}, QPoint(10, 10));
    QTest::mouseRelease(FieldWidget(), button, {}, QPoint(10, 10));
  }
  // Close any context menu the right button opened.
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  EXPECT_EQ(presses, 0);
  Press(Qt::LeftButton, QPoint(6, 120));
  EXPECT_EQ(presses, 1);
}

// The window's caption and a control's tooltip reach Qt unit for unit,
// whatever they begin with.
TEST_F(FormWidgetTest, TextsReachTheWindowUnitForUnit) {
  const std::u16string caption{char16_t(0xFFFE), u'F'};
  form.SetCaption(caption);
  EXPECT_EQ(form.Caption(), caption);
  EXPECT_EQ(Widget().windowTitle(), QString(QChar(0xFFFE)) + QLatin1Char('F'));
  form.ArrayNamed<TextBox>("T")(0).SetToolTipText(u"\uFEFF" u"1");
  EXPECT_EQ(FieldWidget()->toolTip(), QString(QChar(0xFEFF)) + QLatin1Char('1'));
}

TEST_F(FormWidgetTest, ClosingTheStartUpWindowEndsTheProgram) {
  form.SetEndsProgramWhenClosed(true);
  form.Show();
  Widget().close();
  EXPECT_TRUE(program.Ended());
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(FormWidgetTest, WindowStateMinimisesAndRefusesUnknownStates) {
  form.Show();
  runtime::Boundary([&] { form.SetWindowState(1); });
  EXPECT_EQ(form.WindowState(), 1);
  EXPECT_TRUE(Widget().isMinimized());
  runtime::Boundary([&] { form.SetWindowState(7); });
  EXPECT_EQ(errors.numbers, std::vector<int>{runtime::kInvalidPropertyValue});
}

TEST_F(FormWidgetTest, TheWindowUnderAPointPassesOverDisabledAndHiddenWindows) {
  form.Show();
  Widget().move(100, 100);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Widget()));
  TextBox& field = form.ArrayNamed<TextBox>("T")(0);
  QWidget* fieldWidget = FieldWidget();
  const QPoint centre = fieldWidget->mapToGlobal(fieldWidget->rect().center());
  const runtime::win32::POINTAPI point{centre.x(), centre.y()};
  const std::int32_t fieldHandle = qt_frontend::HandleOf(fieldWidget);
  const std::int32_t formHandle = form.hWnd();
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), fieldHandle);
  fieldWidget->setEnabled(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), formHandle) << "a disabled window gives the one it sits in";
  fieldWidget->setEnabled(true);
  field.SetVisible(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), formHandle);
  Widget().setEnabled(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), 0) << "nor is a disabled form any window's";
  Widget().setEnabled(true);
  EXPECT_EQ(runtime::win32::WindowFromPoint({centre.x() + 2000, centre.y()}), 0);
}

}  // namespace
