// SPDX-License-Identifier: MIT
#include "runtime/seam/window_system.h"

#include <cstdio>
#include <cstdlib>

namespace runtime {
namespace {
WindowSystem* gCurrent = nullptr;
}  // namespace

WindowSystem::WindowSystem() : mPrevious(gCurrent) { gCurrent = this; }

WindowSystem::~WindowSystem() {
  if (gCurrent == this) gCurrent = mPrevious;
}

WindowSystem& WindowSystem::Current() {
  if (gCurrent == nullptr) {
    std::fputs("zorvane: no window system was installed before the first window\n", stderr);
    std::abort();
  }
  return *gCurrent;
}

bool WindowSystem::Installed() { return gCurrent != nullptr; }

}  // namespace runtime
