// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>
#include <functional>

#include "runtime/seam/beat.h"

namespace qt_frontend {

// A beat on a QTimer.
class QtBeat : public runtime::Beat {
 public:
  explicit QtBeat(std::function<void()> onBeat) {
    QObject::connect(&mTimer, &QTimer::timeout, [onBeat = std::move(onBeat)] { onBeat(); });
  }

  void Start(int milliseconds) override { mTimer.start(milliseconds); }
  void Stop() override { mTimer.stop(); }
  [[nodiscard]] bool Active() const override { return mTimer.isActive(); }
  [[nodiscard]] int Interval() const override { return mTimer.interval(); }

 private:
  QTimer mTimer;
};

}  // namespace qt_frontend
