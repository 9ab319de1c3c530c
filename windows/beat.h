// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/seam/beat.h"

namespace win32_frontend {

class Win32WindowSystem;

// A beat on SetTimer, on the window system's message-only window.
class Win32Beat : public runtime::Beat {
 public:
  Win32Beat(Win32WindowSystem& system, UINT id, std::function<void()> onBeat);
  ~Win32Beat() override;

  void Start(int milliseconds) override;
  void Stop() override;
  [[nodiscard]] bool Active() const override { return mActive; }
  [[nodiscard]] int Interval() const override { return mInterval; }

  void Fire() { mOnBeat(); }

 private:
  Win32WindowSystem& mSystem;
  UINT mId;
  std::function<void()> mOnBeat;
  bool mActive = false;
  int mInterval = 0;
};

}  // namespace win32_frontend
