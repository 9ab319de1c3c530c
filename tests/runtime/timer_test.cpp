// SPDX-License-Identifier: MIT
#include "runtime/controls/timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "front_end/test_window_system.h"
#include "runtime/program.h"

namespace {

using runtime::Timer;

// What happened, in order: a letter per tick of each timer, and '.' each
// time the program woke up, that is, each moment at which something ticked
// after a moment at which nothing was due.
class TimerTest : public testing::Test {
 protected:
  void Log(Timer& timer, char letter) {
    timer.Tick.Handle([this, letter] { Append(letter); });
  }
  void Append(char letter) {
    if (ws.Now() != mLastWake) {
      mLastWake = ws.Now();
      log += '.';
    }
    log += letter;
  }
  [[nodiscard]] long Count(char letter) const { return std::count(log.begin(), log.end(), letter); }
  // Time passes, a millisecond at a time, until `letter` has been logged
  // `count` times; false when that takes more than ten seconds.
  bool WaitFor(char letter, long count) {
    for (int waited = 0; Count(letter) < count; ++waited) {
      if (waited == 10000) return false;
      ws.Advance(1);
    }
    return true;
  }
  // The ticks alone, without the wakes.
  [[nodiscard]] std::string Ticks() const {
    std::string only = log;
    std::erase(only, '.');
    return only;
  }

  test_front_end::TestWindowSystem ws;
  runtime::Program program;
  std::string log;

 private:
  std::int64_t mLastWake = -1;
};

TEST_F(TimerTest, AMultipleOfARunningTimersIntervalTicksOnItsBeatWithoutAWakeupOfItsOwn) {
  Timer beat("Beat", 10, true);
  Log(beat, 'b');
  ASSERT_TRUE(WaitFor('b', 1));
  log.clear();
  Timer poll("Poll", 50, true);
  Log(poll, 'p');
  ASSERT_TRUE(WaitFor('p', 4));
  // Every fifth beat, from the fifth on, and in the same wake as that beat.
  EXPECT_EQ(Ticks().substr(0, 24), "bbbbpbbbbbpbbbbbpbbbbbpb") << Ticks();
  for (std::size_t at = log.find('p'); at != std::string::npos; at = log.find('p', at + 1)) {
    EXPECT_EQ(log.substr(at, 2), "pb") << log;
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), '.'), Count('b')) << "a wake for each beat, none more: " << log;
}

TEST_F(TimerTest, TimersStartedTogetherTickTogether) {
  // As the keys of a form do when it loads: each stops in its first tick.
  Timer first("First", 50, true);
  Timer second("Second", 50, true);
  Timer third("Third", 50, true);
  for (auto [timer, letter] : {std::pair{&first, '1'}, std::pair{&second, '2'}, std::pair{&third, '3'}}) {
    timer->Tick.Handle([this, timer, letter] {
      Append(letter);
      timer->SetEnabled(false);
    });
  }
  ASSERT_TRUE(WaitFor('1', 1) && WaitFor('2', 1) && WaitFor('3', 1));
  Timer after("After", 150, true);
  Log(after, 'a');
  ASSERT_TRUE(WaitFor('a', 1));
  EXPECT_EQ(Ticks().size(), 4u) << "each once: " << log;
  EXPECT_EQ(log.find_first_of("123") + 3, log.find_last_of("123") + 1) << "in one wake: " << log;
}

TEST_F(TimerTest, RidersGoOnWhenTheirBeatStops) {
  struct Row {
    const char* name;
    bool inItsOwnTick;  // on the beat the rider is due on, before the rider's tick is over
    bool destroyed;
  };
  const Row rows[] = {{"disabled", false, false},
                      {"disabled in its own tick", true, false},
                      {"destroyed in its own tick", true, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto beat = std::make_unique<Timer>("Beat", 10, true);
    Timer poll("Poll", 50, true);
    log.clear();
    Log(poll, 'p');
    int beats = 0;
    beat->Tick.Handle([&] {
      Append('b');
      if (++beats == 5 && row.inItsOwnTick) {
        if (row.destroyed) {
          beat.reset();
        } else {
          beat->SetEnabled(false);
        }
      }
    });
    if (row.inItsOwnTick) {
      ASSERT_TRUE(WaitFor('b', 5));
    } else {
      ASSERT_TRUE(WaitFor('b', 2));
      beat->SetEnabled(false);
    }
    const long beatsThen = Count('b');
    ASSERT_TRUE(WaitFor('p', 3)) << log;
    EXPECT_EQ(Count('b'), beatsThen) << "the beat has stopped";
    if (row.inItsOwnTick) {
      EXPECT_EQ(Ticks().substr(0, 7), "bbbbpbp") << "the rider still ticked on that beat: " << log;
    }
  }
}

// A timer's interval and Enabled as the handlers set them.
TEST_F(TimerTest, IntervalAndEnabledDecideWhetherAndHowOftenItTicks) {
  Timer timer("T", 0, true);
  Log(timer, 't');
  ws.Advance(100);
  EXPECT_EQ(Count('t'), 0) << "an interval of 0 never ticks";
  timer.SetInterval(20);
  ws.Advance(100);
  EXPECT_EQ(Count('t'), 5);
  timer.SetEnabled(false);
  ws.Advance(100);
  EXPECT_EQ(Count('t'), 5);
  timer.SetEnabled(true);
  timer.SetInterval(25);
  ws.Advance(100);
  EXPECT_EQ(Count('t'), 9);
  EXPECT_THROW(timer.SetInterval(-1), runtime::RuntimeError);
  EXPECT_EQ(timer.Interval(), 25);
}

// Held, a timer does not tick; released, it ticks at once, then as before.
TEST_F(TimerTest, AHeldTimerRestsAndTicksOnceAtOnceWhenReleased) {
  Timer timer("T", 10, true);
  Log(timer, 't');
  timer.SetHeld(true);
  ws.Advance(100);
  EXPECT_EQ(Count('t'), 0);
  timer.SetHeld(false);
  EXPECT_EQ(Count('t'), 1);
  ws.Advance(10);
  EXPECT_EQ(Count('t'), 2);
  timer.SetEnabled(false);
  timer.SetHeld(true);
  timer.SetHeld(false);
  EXPECT_EQ(Count('t'), 2) << "a disabled timer does not tick on release";
}

}  // namespace
