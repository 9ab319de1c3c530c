// SPDX-License-Identifier: MIT
// The yardstick on Windows: a bare frameless 320 x 240 popup window, centred
// and in the taskbar as Zorvane's is, with three edit controls where
// Zorvane's fields are; built with REFERENCE_TIMER, the same with an empty
// 10 ms timer. Nothing else: no pictures, fonts or keys of its own.
#include <windows.h>

namespace {

constexpr const wchar_t* kClassName = L"ZorvaneReference";
// The same window styles as Zorvane's frameless window.
constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;
constexpr int kWidth = 320;
constexpr int kHeight = 240;
// Zorvane's three fields, in the window's pixels.
constexpr RECT kFields[] = {{64, 59, 145, 80}, {64, 103, 145, 124}, {64, 153, 145, 174}};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);

  // Centred in the primary monitor's work area, as Zorvane places itself.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const HWND window = CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"Reference", kStyle,
                                      area.left + (area.right - area.left - kWidth) / 2,
                                      area.top + (area.bottom - area.top - kHeight) / 2, kWidth, kHeight, nullptr,
                                      nullptr, instance, nullptr);
  HWND first = nullptr;
  for (const RECT& place : kFields) {
    const HWND field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                       place.left, place.top, place.right - place.left, place.bottom - place.top,
                                       window, nullptr, instance, nullptr);
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (first == nullptr) first = field;
  }
#ifdef REFERENCE_TIMER
  SetTimer(window, 1, 10, nullptr);
#endif
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  // The first field has the keyboard, as Zorvane's size field has.
  SetFocus(first);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
