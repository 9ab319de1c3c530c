#include "runtime/win32.h"

#include <QWidget>

#include "runtime/form_widget.h"
#include "runtime/window_handles.h"

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

}  // namespace runtime::win32
