// SPDX-License-Identifier: MIT
#include "runtime/controls/timer.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

namespace {

using runtime::Timer;

// What happened, in order: a letter per tick of each timer, and '.' each
// time the event loop went to sleep.
class TimerTest : public testing::Test {
 protected:
  TimerTest() {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &mContext,
                     [this] {
                       if (log.empty() || log.back() != '.') log += '.';
                     });
  }
  void Log(Timer& timer, char letter) {
    timer.Tick.Handle([this, letter] { Append(letter); });
  }
  void Append(char letter) {
    log += letter;
    if (mLoop != nullptr && mUntil()) mLoop->quit();
  }
  [[nodiscard]] long Count(char letter) const { return std::count(log.begin(), log.end(), letter); }
  // Runs the event loop as the program does, sleeping whenever nothing is
  // due, until `letter` has been logged `count` times.
  bool WaitFor(char letter, long count) {
    mUntil = [this, letter, count] { return Count(letter) >= count; };
    if (mUntil()) return true;
    QEventLoop loop;
    mLoop = &loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    mLoop = nullptr;
    return mUntil();
  }

  std::string log;

 private:
  QObject mContext;
  QEventLoop* mLoop = nullptr;
  std::function<bool()> mUntil;
};

TEST_F(TimerTest, AMultipleOfARunningTimersIntervalTicksOnItsBeatWithoutAWakeupOfItsOwn) {
  Timer beat("Beat", 10, true);
  Log(beat, 'b');
  ASSERT_TRUE(WaitFor('b', 1));
  log.clear();
  Timer poll("Poll", 50, true);
  Log(poll, 'p');
  ASSERT_TRUE(WaitFor('p', 4));
  const std::string ticks = [&] {
    std::string only = log;
    std::erase(only, '.');
    return only;
  }();
  // Every fifth beat, from the fifth on, and in the same wake as that beat.
  EXPECT_EQ(ticks.substr(0, 24), "bbbbpbbbbbpbbbbbpbbbbbpb") << ticks;
  for (std::size_t at = log.find('p'); at != std::string::npos; at = log.find('p', at + 1)) {
    EXPECT_EQ(log.substr(at, 2), "pb") << log;
  }
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
  std::string ticks = log;
  std::erase(ticks, '.');
  EXPECT_EQ(ticks.size(), 4u) << "each once: " << log;
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
      std::string ticks = log;
      std::erase(ticks, '.');
      EXPECT_EQ(ticks.substr(0, 7), "bbbbpbp") << "the rider still ticked on that beat: " << log;
    }
  }
}

}  // namespace
