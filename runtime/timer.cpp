#include "runtime/timer.h"

#include "runtime/design_reader.h"
#include "runtime/dispatch.h"
#include "runtime/runtime_error.h"

namespace runtime {

Timer::Timer(DesignReader& design)
    : Timer(design.Node().name, design.Integer32("Interval", 0), design.Flag("Enabled", true)) {
  // A timer's place only matters in a designer.
  design.Number("Left", 0);
  design.Number("Top", 0);
}

Timer::Timer(std::string name, std::int32_t interval, bool enabled)
    : mName(std::move(name)), mEnabled(enabled) {
  QObject::connect(&mTimer, &QTimer::timeout, [this] { Boundary([this] { Tick.Raise(); }); });
  SetInterval(interval);
}

void Timer::SetInterval(std::int32_t milliseconds) {
  if (milliseconds < 0) Raise(kInvalidPropertyValue);
  mInterval = milliseconds;
  Apply();
}

void Timer::SetEnabled(bool enabled) {
  mEnabled = enabled;
  Apply();
}

void Timer::SetHeld(bool held) {
  if (held == mHeld) return;
  mHeld = held;
  Apply();
  if (!held && mTimer.isActive()) Boundary([this] { Tick.Raise(); });
}

void Timer::Restart() {
  if (mTimer.isActive()) mTimer.start(mInterval);
}

void Timer::Apply() {
  if (mEnabled && mInterval > 0 && !mHeld) {
    if (!mTimer.isActive() || mTimer.interval() != mInterval) mTimer.start(mInterval);
  } else {
    mTimer.stop();
  }
}

}  // namespace runtime
