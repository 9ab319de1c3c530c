// SPDX-License-Identifier: MIT
// The default handling of an unhandled run-time error, seen from outside: one
// line on standard error and one message box with the error's number and
// description, and the window goes on answering.
#include <sstream>

#include "main_window/main_window_fixture.h"
#include "runtime/controls/timer.h"
#include "runtime/values/text.h"

namespace {

class ErrorReporting : public test_support::MainWindowTest {
 protected:
  ErrorReporting() {
    project.SetErrorSink(nullptr);  // the user's view: standard error and a box
    testing::internal::CaptureStderr();
  }

  // The reports made so far: the lines on standard error, and the texts of
  // the boxes shown, which the user then closes.
  void Collect() {
    std::istringstream printed(testing::internal::GetCapturedStderr());
    for (std::string line; std::getline(printed, line);) {
      if (line.rfind("Run-time error", 0) == 0) lines.push_back(line);
    }
    for (const std::u16string& box : ws.ErrorBoxes()) boxes.push_back(runtime::Utf8(box));
    ws.CloseErrorBox();
  }

  void ExpectWindowAnswers() {
    Click("iButton14");
    Click("iButton3");
    EXPECT_EQ(Text(0), u"1");
    EXPECT_EQ(Text(1), u"1024");
  }

  std::vector<std::string> lines;
  std::vector<std::string> boxes;
};

TEST_F(ErrorReporting, InAButtonsClickHandler) {
  Button("iButton5").Click.Handle([] { runtime::Raise(runtime::kTypeMismatch); });
  Click("iButton5");
  Collect();
  EXPECT_EQ(lines, std::vector<std::string>{"Run-time error '13': Type mismatch"});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("Run-time error '13'"), std::string::npos);
  EXPECT_NE(boxes[0].find("Type mismatch"), std::string::npos);
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
  ws.Advance(50);
  EXPECT_GE(ticks, 5);
  Collect();
  EXPECT_EQ(lines.size(), 3u) << "every failed tick goes to standard error";
  EXPECT_EQ(lines.front(), "Run-time error '9': Subscript out of range");
  EXPECT_EQ(boxes.size(), 1u) << "but only one box is open at a time";
  ExpectWindowAnswers();
}

}  // namespace
