// SPDX-License-Identifier: MIT
// The default handling of an unhandled run-time error, seen from outside: one
// line on standard error and one message box with the error's number and
// description, and the window goes on answering.
#include <QMessageBox>
#include <sstream>

#include "main_window/main_window_fixture.h"
#include "runtime/controls/timer.h"

namespace {

class ErrorReporting : public test_support::MainWindowTest {
 protected:
  ErrorReporting() {
    project.SetErrorSink(nullptr);  // the user's view: standard error and a box
    testing::internal::CaptureStderr();
  }

  // The reports made so far: the lines on standard error, and the texts of
  // the boxes on screen, which are then closed.
  void Collect() {
    std::istringstream printed(testing::internal::GetCapturedStderr());
    for (std::string line; std::getline(printed, line);) {
      if (line.rfind("Run-time error", 0) == 0) lines.push_back(line);
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible()) {
        boxes.push_back(box->text());
        box->close();
      }
    }
  }

  void ExpectWindowAnswers() {
    Click("iButton14");
    Click("iButton3");
    EXPECT_EQ(Text(0), QStringLiteral("1"));
    EXPECT_EQ(Text(1), QStringLiteral("1024"));
  }

  std::vector<std::string> lines;
  std::vector<QString> boxes;
};

TEST_F(ErrorReporting, InAButtonsClickHandler) {
  Button("iButton5").Click.Handle([] { runtime::Raise(runtime::kTypeMismatch); });
  Click("iButton5");
  Collect();
  EXPECT_EQ(lines, std::vector<std::string>{"Run-time error '13': Type mismatch"});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].contains(QStringLiteral("Run-time error '13'")));
  EXPECT_TRUE(boxes[0].contains(QStringLiteral("Type mismatch")));
  ExpectWindowAnswers();
}

TEST_F(ErrorReporting, InAPropertyProcedure) {
  // The container sets a button property to a value that overflows it.
  Button("iButton5").Click.Handle([this] { Button("iButton5").LetcBackStyle(70000); });
  Click("iButton5");
  Collect();
  EXPECT_EQ(lines, std::vector<std::string>{"Run-time error '6': Overflow"});
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Button("iButton5").cBackStyle(), 1) << "nothing changed before the overflow";
  ExpectWindowAnswers();
}

TEST_F(ErrorReporting, InTheTimerOnceWhileTheBoxIsOpen) {
  int ticks = 0;
  form.Timer1.Tick.Handle([&ticks] {
    if (++ticks <= 3) runtime::Raise(runtime::kSubscriptOutOfRange);
  });
  EXPECT_TRUE(Eventually([&] { return ticks >= 5; }));
  Collect();
  EXPECT_EQ(lines.size(), 3u) << "every failed tick goes to standard error";
  EXPECT_EQ(lines.front(), "Run-time error '9': Subscript out of range");
  EXPECT_EQ(boxes.size(), 1u) << "but only one box is open at a time";
  ExpectWindowAnswers();
}

}  // namespace
