// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/event.h"

namespace test_support {
class TimerPeer;
}

namespace runtime {

class Beat;
class DesignReader;

// The runtime's timer: raises Tick every Interval milliseconds while it is
// enabled and the interval is not 0. A timer has no window.
//
// Timers tick together where they can, as the platform's timers share its
// clock: a timer whose interval is a whole multiple of a running timer's
// rides that timer's beat, ticking on every n-th of its ticks (so the first
// tick comes up to one beat early), instead of waking the program on its
// own. A 50 ms timer beside a 10 ms one then costs no wakeups of its own.
class Timer {
 public:
  explicit Timer(DesignReader& design);
  Timer(std::string name, std::int32_t interval, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] std::int32_t Interval() const { return mInterval; }
  void SetInterval(std::int32_t milliseconds);
  [[nodiscard]] bool Enabled() const { return mEnabled; }
  void SetEnabled(bool enabled);

  // While held, an enabled timer does not tick; released, it ticks once at
  // once and then as before. The form holds its timers while nothing of it
  // can be seen, so a minimised window costs no wakeups.
  void SetHeld(bool held);

  // Counts the interval afresh from now: a form's timers start with its
  // first show, so no tick lands between loading and the first frame.
  void Restart();

  Event<> Tick;

 private:
  friend class ::test_support::TimerPeer;  // tests see whether it is held

  [[nodiscard]] bool Runs() const { return mEnabled && mInterval > 0 && !mHeld; }
  [[nodiscard]] bool Running() const;
  void Apply();
  void Start();
  void Stop();
  void OnBeat();
  void RehomeRiders();
  void Leave();

  std::string mName;
  std::int32_t mInterval = 0;
  bool mEnabled = true;
  bool mHeld = false;
  std::unique_ptr<Beat> mBeat;  // this timer's own clock, when it runs on one

  // Riding another timer: its beats per tick of this one, and the beat on
  // which this one ticks next.
  Timer* mCarrier = nullptr;
  std::int32_t mBeatsPerTick = 0;
  std::uint64_t mNextBeat = 0;

  // Carrying others: the riders, a slot emptied when one leaves during a
  // beat, and the beats so far.
  std::vector<Timer*> mRiders;
  std::uint64_t mBeats = 0;
  int mBeating = 0;
  bool* mGoneFlag = nullptr;  // set when this timer is destroyed inside its own beat
};

}  // namespace runtime
