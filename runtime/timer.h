#pragma once

#include <QTimer>
#include <cstdint>
#include <string>

#include "runtime/event.h"

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

  Event<> Tick;

 private:
  void Apply();

  std::string mName;
  std::int32_t mInterval = 0;
  bool mEnabled = true;
  QTimer mTimer;
};

}  // namespace runtime
