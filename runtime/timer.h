#pragma once

#include <QTimer>
#include <cstdint>
#include <string>

#include "runtime/event.h"

namespace test_support {
class TimerPeer;
}

namespace runtime {

class DesignReader;

// The runtime's timer: raises Tick every Interval milliseconds while it is
// enabled and the interval is not 0. A timer has no window.
class Timer {
 public:
  explicit Timer(DesignReader& design);
  Timer(std::string name, std::int32_t interval, bool enabled);
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

  void Apply();

  std::string mName;
  std::int32_t mInterval = 0;
  bool mEnabled = true;
  bool mHeld = false;
  QTimer mTimer;
};

}  // namespace runtime
