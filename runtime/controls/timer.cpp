// SPDX-License-Identifier: MIT
#include "runtime/controls/timer.h"

#include <algorithm>

#include "runtime/design/design_reader.h"
#include "runtime/dispatch.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/beat.h"
#include "runtime/seam/window_system.h"

namespace runtime {
namespace {

// The timers that run on a clock of their own, and so can carry others.
std::vector<Timer*>& Clocked() {
  static std::vector<Timer*> clocked;
  return clocked;
}

}  // namespace

Timer::Timer(DesignReader& design)
    : Timer(design.Node().name, design.Integer32("Interval", 0), design.Flag("Enabled", true)) {
  // A timer's place only matters in a designer.
  design.Number("Left", 0);
  design.Number("Top", 0);
}

Timer::Timer(std::string name, std::int32_t interval, bool enabled)
    : mName(std::move(name)), mEnabled(enabled), mBeat(WindowSystem::Current().NewBeat([this] { OnBeat(); })) {
  SetInterval(interval);
}

Timer::~Timer() {
  if (mGoneFlag != nullptr) *mGoneFlag = true;
  Stop();
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
  if (!held && Running()) Boundary([this] { Tick.Raise(); });
}

bool Timer::Running() const { return mBeat->Active() || mCarrier != nullptr; }

void Timer::Restart() {
  if (mBeat->Active()) {
    mBeat->Start(mInterval);
  } else if (mCarrier != nullptr) {
    mNextBeat = mCarrier->mBeats + static_cast<std::uint64_t>(mBeatsPerTick);
  }
}

void Timer::Apply() {
  if (!Runs()) {
    Stop();
    return;
  }
  const bool asSet = mCarrier != nullptr ? mBeatsPerTick * mCarrier->mInterval == mInterval
                                         : mBeat->Active() && mBeat->Interval() == mInterval;
  if (asSet) return;
  Stop();
  Start();
}

void Timer::Start() {
  // The slowest running clock whose beat fits a whole number of times into
  // this interval.
  Timer* carrier = nullptr;
  for (Timer* clocked : Clocked()) {
    if (clocked != this && mInterval % clocked->mInterval == 0 &&
        (carrier == nullptr || clocked->mInterval > carrier->mInterval)) {
      carrier = clocked;
    }
  }
  if (carrier == nullptr) {
    mBeat->Start(mInterval);
    Clocked().push_back(this);
    return;
  }
  mCarrier = carrier;
  mBeatsPerTick = mInterval / carrier->mInterval;
  mNextBeat = carrier->mBeats + static_cast<std::uint64_t>(mBeatsPerTick);
  carrier->mRiders.push_back(this);
}

void Timer::Stop() {
  if (mCarrier != nullptr) Leave();
  if (mBeat->Active()) {
    mBeat->Stop();
    std::erase(Clocked(), this);
    RehomeRiders();
  }
}

void Timer::Leave() {
  std::vector<Timer*>& riders = mCarrier->mRiders;
  const auto at = std::find(riders.begin(), riders.end(), this);
  if (at != riders.end()) {
    // A beat going on walks the list; it is tidied once the beat is over.
    if (mCarrier->mBeating > 0) {
      *at = nullptr;
    } else {
      riders.erase(at);
    }
  }
  mCarrier = nullptr;
}

void Timer::RehomeRiders() {
  std::vector<Timer*> riders;
  riders.swap(mRiders);
  for (Timer* rider : riders) {
    if (rider == nullptr) continue;
    rider->mCarrier = nullptr;
    rider->Start();
  }
}

void Timer::OnBeat() {
  // Any handler may stop or destroy any timer, this one included.
  bool gone = false;
  bool* const outerGoneFlag = mGoneFlag;
  mGoneFlag = &gone;
  ++mBeating;
  const std::uint64_t beat = ++mBeats;
  // The riders first: should this timer stop in its own tick, those due now
  // have still had theirs.
  for (std::size_t i = 0; !gone && i < mRiders.size(); ++i) {
    Timer* rider = mRiders[i];
    if (rider == nullptr || rider->mNextBeat > beat) continue;
    rider->mNextBeat = beat + static_cast<std::uint64_t>(rider->mBeatsPerTick);
    Boundary([rider] { rider->Tick.Raise(); });
  }
  if (!gone) Boundary([this] { Tick.Raise(); });
  if (gone) {
    if (outerGoneFlag != nullptr) *outerGoneFlag = true;
    return;
  }
  mGoneFlag = outerGoneFlag;
  if (--mBeating == 0) std::erase(mRiders, nullptr);
}

}  // namespace runtime
