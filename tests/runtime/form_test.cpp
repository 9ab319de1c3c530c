// SPDX-License-Identifier: MIT
#include "runtime/forms/form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <map>
#include <string>

#include "runtime/controls/menu.h"
#include "runtime/controls/text_box.h"
#include "runtime/design/property_bag.h"
#include "runtime/controls/timer.h"
#include "runtime/design/form_design.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form_widget.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "runtime/win32/win32.h"
#include "runtime/win32/window_handles.h"
#include "support/eventually.h"
#include "support/picture_file.h"
#include "support/raised_error.h"
#include "support/recorded_errors.h"

namespace {

using runtime::Form;
using runtime::TextBox;

constexpr const char* kDesign =
    "Begin Form F\n"
    "   BorderStyle = 0\n"
    "   ClientWidth = 4800\n"
    "   ClientHeight = 3600\n"
    "   Begin Timer Tick\n"
    "      Interval = 10\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 2\n"
    "      Left = 960\n"
    "      Top = 2290\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "      TabIndex = 2\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 0\n"
    "      Left = 960\n"
    "      Top = 880\n"
    "      Width = 1215\n"
    "      Height = 315\n"
    "      TabIndex = 0\n"
    "   End\n"
    "   Begin TextBox T\n"
    "      Index = 1\n"
    "      Left = 3950\n"
    "      Top = 10\n"
    "      Width = 420\n"
    "      Height = 420\n"
    "      TabIndex = 1\n"
    "   End\n"
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

class FormTest : public testing::Test {
 protected:
  FormTest() : form(runtime::ParseFormDesign(kDesign, "t.frm"), classes) {}

  void Press(Qt::MouseButton button, QPoint local) {
    QMouseEvent press(QEvent::MouseButtonPress, local, form.Widget().mapToGlobal(local), button,
                      button, Qt::NoModifier);
    QApplication::sendEvent(&form.Widget(), &press);
  }
  void MovePointerTo(QPoint global, Qt::MouseButtons held) {
    const QPoint local = global - form.Widget().pos();
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(&form.Widget(), &move);
  }
  void Release(Qt::MouseButton button, QPoint global) {
    const QPoint local = global - form.Widget().pos();
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form.Widget(), &release);
  }

  runtime::Program program;
  test_support::RecordedErrors errors{program};
  runtime::ControlClasses classes;
  Form form;
};

TEST_F(FormTest, ControlsStandAtTheirTwipsInTabOrder) {
  const auto fields = form.ArrayNamed<TextBox>("T");
  ASSERT_EQ(fields.Count(), 3u);
  EXPECT_EQ(form.Widget().size(), QSize(320, 240));
  EXPECT_TRUE(form.Widget().windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(fields(0).Widget()->geometry(), QRect(64, 59, 81, 21));
  EXPECT_EQ(fields(1).Widget()->geometry(), QRect(263, 1, 28, 28));
  EXPECT_EQ(fields(1).Left(), 3950.0f) << "the twips stay as set";
  form.Show();
  EXPECT_EQ(form.Widget().focusWidget(), fields(0).Widget()) << "the first in tab order starts with the focus";
  QWidget* next = fields(0).Widget();
  for (int i = 1; i <= 2; ++i) {
    do next = next->nextInFocusChain(); while (next->focusPolicy() == Qt::NoFocus);
    EXPECT_EQ(next, fields(i).Widget()) << "Tab leads to T(" << i << ")";
  }
  EXPECT_EQ(test_support::ErrorNumberOf([&] { fields(3); }), runtime::kControlArrayElementMissing);
}

TEST_F(FormTest, ADesignNamingWhatDoesNotExistDoesNotLoad) {
  const char* designs[] = {
      "Begin Form F\n Begin Gadget G\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n Colour = 1\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n End\n Begin TextBox T\n End\nEnd\n",
      "Begin Form F\n Begin TextBox T\n Width = 1E300\n End\nEnd\n",
      "Begin TextBox F\nEnd\n",
  };
  for (const char* design : designs) {
    SCOPED_TRACE(design);
    EXPECT_EQ(test_support::ErrorNumberOf([&] { Form broken(runtime::ParseFormDesign(design, "t.frm"), classes); }),
              runtime::kLoadError);
  }
}

TEST_F(FormTest, AnyMouseButtonDragsTheWindowUntilThatButtonComesUp) {
  form.MouseDown.Handle([this](std::int16_t& button, std::int16_t&, float& x, float& y) {
    EXPECT_EQ(button, 2);
    EXPECT_EQ(x, 75.0f);
    EXPECT_EQ(y, 150.0f);
    runtime::win32::ReleaseCapture();
    runtime::win32::SendMessageA(form.hWnd(), runtime::win32::WM_SYSCOMMAND, 0xF012, 0);
  });
  form.Show();
  form.Widget().move(100, 100);
  const QPoint start = form.Widget().mapToGlobal(QPoint(5, 10));
  Press(Qt::RightButton, QPoint(5, 10));
  MovePointerTo(start + QPoint(40, 25), Qt::RightButton);
  EXPECT_EQ(form.Widget().pos(), QPoint(140, 125));
  MovePointerTo(start + QPoint(-30, 5), Qt::RightButton | Qt::LeftButton);
  EXPECT_EQ(form.Widget().pos(), QPoint(70, 105));
  Release(Qt::LeftButton, start + QPoint(-30, 5));
  MovePointerTo(start + QPoint(10, 10), Qt::RightButton);
  EXPECT_EQ(form.Widget().pos(), QPoint(110, 110)) << "another button's release does not stop it";
  Release(Qt::RightButton, start + QPoint(10, 10));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  MovePointerTo(start + QPoint(50, 50), Qt::NoButton);
  EXPECT_EQ(form.Widget().pos(), QPoint(110, 110)) << "after the release the window stays";
}

TEST_F(FormTest, APopupMenuOpensAtItsPlaceAndTheChosenItemRunsBeforeItReturns) {
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
  EXPECT_EQ(openedAt, form.Widget().mapToGlobal(QPoint(16, 215)));
  EXPECT_EQ(clicked, (std::vector<std::string>{"b", "returned"}));
}

TEST_F(FormTest, ADisabledItemCannotBeChosen) {
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

TEST_F(FormTest, TimersTickUntilTheProgramEnds) {
  int ticks = 0;
  runtime::Timer& timer = form.TimerNamed("Tick");
  timer.Tick.Handle([&] {
    if (++ticks == 3) runtime::End();
  });
  EXPECT_TRUE(test_support::Eventually([&] { return program.Ended(); }));
  QTest::qWait(50);
  EXPECT_EQ(ticks, 3) << "no tick after the end";
}

TEST_F(FormTest, ClosingTheStartUpWindowEndsTheProgram) {
  form.SetEndsProgramWhenClosed(true);
  form.Show();
  form.Widget().close();
  EXPECT_TRUE(program.Ended());
  EXPECT_TRUE(errors.numbers.empty());
}

TEST_F(FormTest, WindowStateMinimisesAndRefusesUnknownStates) {
  form.Show();
  runtime::Boundary([&] { form.SetWindowState(1); });
  EXPECT_EQ(form.WindowState(), 1);
  runtime::Boundary([&] { form.SetWindowState(7); });
  EXPECT_EQ(errors.numbers, std::vector<int>{runtime::kInvalidPropertyValue});
}

TEST_F(FormTest, TheWindowUnderAPointPassesOverDisabledAndHiddenWindows) {
  form.Show();
  form.Widget().move(100, 100);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.Widget()));
  TextBox& field = form.ArrayNamed<TextBox>("T")(0);
  const QPoint centre = field.Widget()->mapToGlobal(field.Widget()->rect().center());
  const runtime::win32::POINTAPI point{centre.x(), centre.y()};
  const std::int32_t fieldHandle = runtime::HandleOf(field.Widget());
  const std::int32_t formHandle = form.hWnd();
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), fieldHandle);
  field.Widget()->setEnabled(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), formHandle) << "a disabled window gives the one it sits in";
  field.Widget()->setEnabled(true);
  field.SetVisible(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), formHandle);
  form.Widget().setEnabled(false);
  EXPECT_EQ(runtime::win32::WindowFromPoint(point), 0) << "nor is a disabled form any window's";
  form.Widget().setEnabled(true);
  EXPECT_EQ(runtime::win32::WindowFromPoint({centre.x() + 2000, centre.y()}), 0);
}

}  // namespace

namespace {

QByteArray Encoded(const char* format, QRgb colour) {
  return test_support::FlatPictureFile({9, 4}, colour, format);
}

QByteArray BagHolding(const QByteArray& picture) {
  runtime::PropertyBag bag;
  bag.WriteProperty("BackPicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(picture)));
  return QByteArray::fromStdString(bag.ToBytes());
}

}  // namespace

TEST(FormDecodeAhead, TheWindowsPicturesAndTheControlsAreDecodedAheadPastWhatCannotBeRead) {
  // Colours of their own, so that no earlier decoding holds these files.
  const QByteArray skin = Encoded("jpeg", qRgb(201, 3, 77));
  const QByteArray icon = Encoded("ico", qRgb(5, 199, 31));
  const QByteArray strip = Encoded("png", qRgb(17, 240, 130));
  const QByteArray other = Encoded("png", qRgb(250, 9, 251));
  const std::map<std::string, QByteArray, std::less<>> stored = {
      {"skin.jpg", skin}, {"icon.ico", icon}, {"a.bag", BagHolding(strip)},
      {"b.bag", BagHolding(strip)}, {"c.bag", BagHolding(other)}, {"broken.bag", "\x05"}};
  const runtime::DesignFiles files = [&](std::string_view name) {
    const auto found = stored.find(name);
    if (found == stored.end()) runtime::Raise(runtime::kLoadError, "no such file");
    return found->second;
  };
  const runtime::DesignNode design = runtime::ParseFormDesign(
      "Begin Form F\n"
      "   Picture = \"skin.jpg\"\n"
      "   Icon = \"icon.ico\"\n"
      "   Begin K A\n      Settings = \"missing.bag\"\n   End\n"
      "   Begin K B\n      Settings = 7\n   End\n"
      "   Begin K C\n      Settings = \"broken.bag\"\n   End\n"
      "   Begin K D\n      Settings = \"a.bag\"\n   End\n"
      "   Begin K E\n      Settings = \"b.bag\"\n   End\n"
      "   Begin K G\n      Settings = \"c.bag\"\n   End\n"
      "End\n",
      "ahead.frm");
  Form::DecodePicturesAhead(design, files);
  for (const QByteArray& file : {skin, icon, strip, other}) {
    const std::optional<QList<QImage>> images = runtime::TakeDecodedAhead(file);
    ASSERT_TRUE(images.has_value()) << file.left(8).toHex().toStdString();
    EXPECT_EQ(*images, runtime::DecodeAll(file));
  }
  runtime::FinishDecodingAhead();
}
