// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/controls/timer.h"

namespace test_support {

// Whether a timer is held while its form is out of sight.
class TimerPeer {
 public:
  explicit TimerPeer(const runtime::Timer& timer) : mTimer(timer) {}
  [[nodiscard]] bool Held() const { return mTimer.mHeld; }

 private:
  const runtime::Timer& mTimer;
};

}  // namespace test_support
