// SPDX-License-Identifier: MIT
#include "runtime/win32/win32.h"

#include "runtime/seam/gdi_device.h"
#include "runtime/seam/window_system.h"
#include "runtime/win32/gdi.h"

namespace runtime::win32 {

std::int32_t ReleaseCapture() {
  WindowSystem::Current().ReleaseCapture();
  return 1;
}

std::int32_t SendMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam, std::int32_t lParam) {
  return WindowSystem::Current().SendWindowMessage(hWnd, message, wParam, lParam);
}

std::int32_t GetCursorPos(POINTAPI* point) {
  if (point == nullptr) return 0;
  const Point position = WindowSystem::Current().CursorPos();
  point->x = position.x;
  point->y = position.y;
  return 1;
}

std::int32_t WindowFromPoint(POINTAPI point) {
  return WindowSystem::Current().WindowFromPoint(Point{point.x, point.y});
}

std::int32_t DrawFocusRect(std::int32_t hdc, const RECT* rect) {
  gdi::PrepareDC(hdc);
  const std::int32_t done = WindowSystem::Current().Gdi().DrawFocusRect(hdc, rect);
  if (done != 0) gdi::NotifyDrawn(hdc);
  return done;
}

}  // namespace runtime::win32
