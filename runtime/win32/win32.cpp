// SPDX-License-Identifier: MIT
#include "runtime/win32/win32.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <algorithm>

#include "runtime/win32/gdi.h"

#include "runtime/forms/form_widget.h"
#include "runtime/platform/pointer_tracker.h"
#include "runtime/win32/window_handles.h"

namespace runtime::win32 {

std::int32_t ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  return 1;
}

std::int32_t SendMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                          std::int32_t /*lParam*/) {
  if (message != WM_SYSCOMMAND || (wParam & 0xFFF0) != SC_MOVE) return 0;
  QWidget* widget = WidgetOf(hWnd);
  if (widget == nullptr) return 0;
  if (auto* form = qobject_cast<FormWidget*>(widget->window())) form->BeginDrag();
  return 0;
}

std::int32_t GetCursorPos(POINTAPI* point) {
  if (point == nullptr) return 0;
  // Asking the window system is a round trip to it; the runtime follows the
  // pointer through its own windows' events and asks only when it cannot
  // know (and where the window system keeps the pointer to itself, the
  // runtime's answer is the only one).
  PointerTracker* tracker = PointerTracker::Current();
  const QPoint position = tracker != nullptr ? tracker->CursorPosition() : QCursor::pos();
  point->x = position.x();
  point->y = position.y();
  return 1;
}

std::int32_t WindowFromPoint(POINTAPI point) {
  const QPoint where(point.x, point.y);
  PointerTracker* tracker = PointerTracker::Current();
  QWidget* widget = tracker != nullptr ? tracker->WidgetAt(where) : QApplication::widgetAt(where);
  // A disabled window is passed over, as the platform's hit test passes it:
  // the point belongs to the enabled window it sits in.
  while (widget != nullptr && !widget->isEnabled()) widget = widget->parentWidget();
  return HandleOf(widget);
}

std::int32_t DrawFocusRect(std::int32_t hdc, const RECT* rect) {
  if (rect == nullptr) return 0;
  gdi::PrepareDC(hdc);
  QImage* pixels = gdi::MutableBitmapPixels(gdi::SelectedBitmap(hdc));
  if (pixels == nullptr || pixels->depth() < 32) return 0;
  const int left = std::max(rect->left, 0);
  const int top = std::max(rect->top, 0);
  const int right = std::min(rect->right, pixels->width());    // exclusive
  const int bottom = std::min(rect->bottom, pixels->height());  // exclusive
  if (left >= right || top >= bottom) return 1;
  // Every other pixel of the outline, inverted, as the platform's focus
  // rectangle is drawn.
  auto invert = [&](int x, int y) {
    if (((x + y) & 1) != 0) return;
    auto* line = reinterpret_cast<QRgb*>(pixels->scanLine(y));
    line[x] ^= 0x00FFFFFFu;
  };
  for (int x = left; x < right; ++x) {
    invert(x, top);
    if (bottom - 1 != top) invert(x, bottom - 1);
  }
  for (int y = top + 1; y < bottom - 1; ++y) {
    invert(left, y);
    if (right - 1 != left) invert(right - 1, y);
  }
  gdi::NotifyDrawn(hdc);
  return 1;
}

}  // namespace runtime::win32
