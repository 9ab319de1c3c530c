// SPDX-License-Identifier: MIT
#include "runtime/dispatch.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>
#include <stdexcept>

#include "front_end/test_window_system.h"
#include "runtime/event.h"
#include "runtime/program.h"
#include "runtime/error_report.h"
#include "runtime/runtime_error.h"
#include "support/recorded_errors.h"

namespace {

using runtime::Boundary;
using runtime::Event;
using runtime::ResumeNext;

TEST(Boundary, ReportsAnyFailureAsOneRunTimeErrorAndGoesOn) {
  struct Row {
    const char* what;
    std::function<void()> fail;
    int number;
  };
  const Row rows[] = {
      {"run-time error", [] { runtime::Raise(runtime::kOverflow); }, 6},
      {"out of memory", [] { throw std::bad_alloc(); }, 7},
      {"library exception", [] { throw std::runtime_error("boom"); }, 51},
      {"anything else", [] { throw 42; }, 51},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    runtime::Program program;
    test_support::RecordedErrors errors(program);
    bool after = false;
    Boundary([&] {
      row.fail();
      after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(errors.numbers, std::vector<int>{row.number});
    bool next = false;
    Boundary([&] { next = true; });
    EXPECT_TRUE(next) << "the program keeps running";
  }
}

TEST(Boundary, EndStopsNestedAndOuterHandlersAndEverythingAfter) {
  runtime::Program program;
  test_support::RecordedErrors errors(program);
  Event<> inner;
  bool innerAfterEnd = false;
  bool outerAfterRaise = false;
  inner.Handle([&] {
    runtime::End();
    innerAfterEnd = true;
  });
  Boundary([&] {
    inner.Raise();
    outerAfterRaise = true;
  });
  EXPECT_FALSE(innerAfterEnd);
  EXPECT_FALSE(outerAfterRaise);
  EXPECT_TRUE(program.Ended());
  bool later = false;
  Boundary([&] { later = true; });
  EXPECT_FALSE(later) << "no code runs once the program has ended";
  EXPECT_TRUE(errors.numbers.empty()) << "ending is not an error";
}

TEST(Event, HandlerChangesArgumentsTheRaiserThenActsOn) {
  runtime::Program program;
  Event<std::int16_t&, std::int16_t&> keyDown;
  keyDown.Handle([](std::int16_t& keyCode, std::int16_t& shift) {
    keyCode = 0;
    shift = 4;
  });
  std::int16_t keyCode = 13;
  std::int16_t shift = 0;
  Boundary([&] { keyDown.Raise(keyCode, shift); });
  EXPECT_EQ(keyCode, 0);
  EXPECT_EQ(shift, 4);
}

TEST(Event, AHandlersErrorIsItsOwnAndTheRaiserGoesOn) {
  runtime::Program program;
  test_support::RecordedErrors errors(program);
  Event<> click;
  click.Handle([] { runtime::Raise(runtime::kTypeMismatch); });
  bool raiserWentOn = false;
  Boundary([&] {
    click.Raise();
    raiserWentOn = true;
  });
  EXPECT_TRUE(raiserWentOn);
  EXPECT_EQ(errors.numbers, std::vector<int>{13});
}

TEST(ResumeNext, AbandonsOnlyTheFailingStatementButNotAnEnd) {
  runtime::Program program;
  std::vector<int> ran;
  Boundary([&] {
    ResumeNext([&] {
      runtime::Raise(runtime::kOverflow);
      ran.push_back(1);
    });
    ResumeNext([&] { ran.push_back(2); });
    ResumeNext([&] { runtime::End(); });
    ran.push_back(3);
  });
  EXPECT_EQ(ran, std::vector<int>{2});
}

TEST(ReportToUser, OneLineOnStandardErrorAndOneBoxAtATime) {
  test_front_end::TestWindowSystem ws;
  runtime::Program program;  // no sink: the default handling
  testing::internal::CaptureStderr();
  Boundary([] { runtime::Raise(runtime::kOverflow); });
  Boundary([] { runtime::Raise(runtime::kTypeMismatch); });
  std::string reported;
  std::istringstream printed(testing::internal::GetCapturedStderr());
  for (std::string line; std::getline(printed, line);) {
    if (line.rfind("Run-time error", 0) == 0) reported += line + "\n";
  }
  EXPECT_EQ(reported, "Run-time error '6': Overflow\nRun-time error '13': Type mismatch\n");
  ASSERT_EQ(ws.ErrorBoxes().size(), 1u);
  EXPECT_NE(ws.ErrorBoxes()[0].find(u"Run-time error '6'"), std::u16string::npos);
  EXPECT_TRUE(ws.ErrorBoxOpen());
}

TEST(ReportToUser, ABoxClosedMakesRoomForTheNextAndOneBeforeLeavingAlwaysShows) {
  test_front_end::TestWindowSystem ws;
  runtime::Program program;
  testing::internal::CaptureStderr();
  Boundary([] { runtime::Raise(runtime::kOverflow); });
  ws.CloseErrorBox();
  Boundary([] { runtime::Raise(runtime::kTypeMismatch); });
  // A box before leaving is waited for, whatever else is open.
  runtime::ReportBeforeLeaving(runtime::RuntimeError(runtime::kLoadError));
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(ws.ErrorBoxes().size(), 3u);
  EXPECT_EQ(ws.ErrorBoxes()[1], u"Run-time error '13':\n\nType mismatch");
  EXPECT_NE(ws.ErrorBoxes()[2].find(u"Run-time error '31037'"), std::u16string::npos);
}

}  // namespace
