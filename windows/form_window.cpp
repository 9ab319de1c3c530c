// SPDX-License-Identifier: MIT
#include "windows/form_window.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "runtime/seam/child_window.h"
#include "windows/child_window.h"
#include "windows/handles.h"
#include "windows/input.h"
#include "windows/scale.h"
#include "windows/window_system.h"
#include "windows/windows_gdi.h"

namespace win32_frontend {
namespace {

// What a form's window sends itself, so that the core hears of it only once
// the window system has settled what it shows.
constexpr UINT kSightChanged = WM_APP + 1;
// Posted after the first frame is painted: what waits for it is done then.
constexpr UINT kFirstFrameShown = WM_APP + 2;

// Puts `value` for `window` in a list of what waits, in place of an earlier
// one; an empty value takes the window out.
void Wait(std::vector<std::pair<HWND, std::u16string>>& waiting, HWND window, std::u16string_view value) {
  std::erase_if(waiting, [window](const auto& entry) { return entry.first == window; });
  if (!value.empty()) waiting.emplace_back(window, std::u16string(value));
}

constexpr DWORD kFramedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// No frame or title bar, but still minimised and restored from the taskbar,
// and with the system menu a taskbar offers.
constexpr DWORD kFramelessStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;

// A 32-bit device-independent bitmap of the pixels.
HBITMAP DibOf(const runtime::Pixels& pixels, bool forceOpaque) {
  void* bits = nullptr;
  HBITMAP bitmap = NewDibSection(pixels.Width(), pixels.Height(), &bits);
  if (bitmap == nullptr || bits == nullptr) return bitmap;
  auto* out = static_cast<runtime::Rgb*>(bits);
  for (std::size_t i = 0; i < pixels.Data().size(); ++i) {
    out[i] = forceOpaque ? (pixels.Data()[i] | runtime::kOpaque) : pixels.Data()[i];
  }
  return bitmap;
}

HICON IconOf(const runtime::Pixels& pixels) {
  ICONINFO icon{};
  icon.fIcon = TRUE;
  // See-through where the alpha says so; a picture without alpha is opaque.
  icon.hbmColor = DibOf(pixels, !pixels.HasAlpha());
  icon.hbmMask = CreateBitmap(pixels.Width(), pixels.Height(), 1, 1, nullptr);
  HICON made = CreateIconIndirect(&icon);
  DeleteObject(icon.hbmColor);
  DeleteObject(icon.hbmMask);
  return made;
}

}  // namespace

Win32Form::Win32Form(Win32WindowSystem& system, runtime::FormWindowEvents& events)
    : mSystem(system), mEvents(events) {
  mHwnd = CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"", kFramedStyle, CW_USEDEFAULT, CW_USEDEFAULT, 320, 240,
                          nullptr, nullptr, system.Instance(), this);
  mScale = WholeScale(DpiOf(mHwnd));
  system.FormMade(*this);
}

Win32Form::~Win32Form() {
  mSystem.FormGone(*this);
  DestroyWindow(mHwnd);
  if (mPictureBitmap != nullptr) DeleteObject(mPictureBitmap);
  for (HICON icon : mIcons) DestroyIcon(icon);
}

runtime::WindowHandle Win32Form::Handle() const { return FromHandle(mHwnd); }

void Win32Form::SetCaption(std::u16string_view caption) { SetWindowTextW(mHwnd, Wide(std::u16string(caption).c_str())); }

std::u16string Win32Form::Caption() const {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(mHwnd)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(mHwnd, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
  return text;
}

void Win32Form::SetIcon(const std::vector<runtime::PixelsRef>& sizes) {
  for (HICON icon : mIcons) DestroyIcon(icon);
  mIcons.clear();
  // The taskbar's and switcher's size, and the window's small one.
  auto nearest = [&sizes](int wanted) {
    const runtime::Pixels* best = nullptr;
    for (const runtime::PixelsRef& size : sizes) {
      if (best == nullptr || std::abs(size->Width() - wanted) < std::abs(best->Width() - wanted)) best = size.get();
    }
    return best;
  };
  const runtime::Pixels* big = nearest(GetSystemMetrics(SM_CXICON));
  const runtime::Pixels* small = nearest(GetSystemMetrics(SM_CXSMICON));
  if (big != nullptr) {
    mIcons.push_back(IconOf(*big));
    SendMessageW(mHwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(mIcons.back()));
  }
  if (small != nullptr) {
    mIcons.push_back(IconOf(*small));
    SendMessageW(mHwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mIcons.back()));
  }
}

void Win32Form::SetPicture(runtime::PixelsRef picture) {
  mPicture = std::move(picture);
  if (mPictureBitmap != nullptr) DeleteObject(mPictureBitmap);
  mPictureBitmap = mPicture ? DibOf(*mPicture, true) : nullptr;
  InvalidateRect(mHwnd, nullptr, FALSE);
}

void Win32Form::SetFrameless() {
  SetWindowLongPtrW(mHwnd, GWL_STYLE, kFramelessStyle);
  SetWindowPos(mHwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplySize();
}

void Win32Form::SetClientSize(int width, int height, bool fixed) {
  mWidth = width;
  mHeight = height;
  mFixed = fixed;
  if (fixed) SetWindowLongPtrW(mHwnd, GWL_STYLE, GetWindowLongPtrW(mHwnd, GWL_STYLE) & ~(WS_THICKFRAME | WS_MAXIMIZEBOX));
  ApplySize();
}

void Win32Form::ApplySize() {
  RECT frame{0, 0, mWidth * mScale, mHeight * mScale};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(mHwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(mHwnd, GWL_EXSTYLE)));
  SetWindowPos(mHwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(mHwnd, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT window{};
  GetWindowRect(mHwnd, &window);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(mHwnd, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::UseIconForProgram() {
  // The program's own icon is in its executable; the window's carries the
  // same picture, and switchers take either.
  if (!mIcons.empty()) SetClassLongPtrW(mHwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(mIcons.front()));
}

void Win32Form::Show() {
  ShowWindow(mHwnd, SW_SHOW);
  SetForegroundWindow(mHwnd);
  UpdateWindow(mHwnd);
}

runtime::FormWindow::State Win32Form::WindowState() const {
  if (IsIconic(mHwnd)) return State::kMinimized;
  if (IsZoomed(mHwnd)) return State::kMaximized;
  return State::kNormal;
}

void Win32Form::SetWindowState(State state) {
  switch (state) {
    case State::kMinimized: ShowWindow(mHwnd, SW_MINIMIZE); break;
    case State::kMaximized: ShowWindow(mHwnd, SW_MAXIMIZE); break;
    case State::kNormal:
      if (IsIconic(mHwnd) || IsZoomed(mHwnd)) ShowWindow(mHwnd, SW_RESTORE);
      break;
  }
}

runtime::Point Win32Form::ClientToScreen(runtime::Point client) const {
  POINT point{client.x * mScale, client.y * mScale};
  ::ClientToScreen(mHwnd, &point);
  return {point.x, point.y};
}

void Win32Form::ChildMade(ChildOfForm& child) { mChildren.push_back(&child); }

void Win32Form::ChildGone(ChildOfForm& child) {
  std::erase(mChildren, &child);
  if (mLastFocus == child.Hwnd()) mLastFocus = nullptr;
  Wait(mWaitingTips, child.Hwnd(), u"");
  Wait(mWaitingNames, child.Hwnd(), u"");
  if (mToolTips != nullptr) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = mHwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(child.Hwnd());
    SendMessageW(mToolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  // What the tab order holds of it goes with it.
  std::erase_if(mTabOrder, [&child](runtime::ChildWindow* window) {
    return dynamic_cast<ChildOfForm*>(window) == &child;
  });
}

ChildOfForm* Win32Form::ChildOf(HWND window) const {
  for (ChildOfForm* child : mChildren) {
    if (child->Hwnd() == window) return child;
  }
  return nullptr;
}

void Win32Form::SetToolTip(HWND child, std::u16string_view tip) {
  if (!mFirstFrameShown) {
    Wait(mWaitingTips, child, tip);
    return;
  }
  AddToolTip(child, std::u16string(tip));
}

void Win32Form::SetAccessibleName(HWND child, std::u16string_view name) {
  if (!mFirstFrameShown) {
    Wait(mWaitingNames, child, name);
    return;
  }
  mSystem.Annotate(child, std::u16string(name));
}

void Win32Form::FirstFrameShown() {
  if (mFirstFrameShown) return;
  mFirstFrameShown = true;
  for (const auto& [child, tip] : std::exchange(mWaitingTips, {})) AddToolTip(child, tip);
  for (const auto& [child, name] : std::exchange(mWaitingNames, {})) mSystem.Annotate(child, name);
}

void Win32Form::AddToolTip(HWND child, const std::u16string& tip) {
  if (mToolTips == nullptr) {
    if (tip.empty()) return;
    mToolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mHwnd, nullptr,
                                mSystem.Instance(), nullptr);
  }
  std::u16string text(tip);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = mHwnd;
  tool.uId = reinterpret_cast<UINT_PTR>(child);
  tool.hinst = mSystem.Instance();
  tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
  SendMessageW(mToolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty()) SendMessageW(mToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool Win32Form::TabFrom(HWND from, bool backwards) {
  const auto count = static_cast<std::ptrdiff_t>(mTabOrder.size());
  std::ptrdiff_t at = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (dynamic_cast<ChildOfForm*>(mTabOrder[static_cast<std::size_t>(i)])->Hwnd() == from) at = i;
  }
  if (at < 0) return false;
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t index = (at + (backwards ? count - step : step)) % count;
    auto* next = dynamic_cast<ChildOfForm*>(mTabOrder[static_cast<std::size_t>(index)]);
    const HWND window = next->Hwnd();
    if (!next->StopsTab() || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    SetFocus(window);
    // A field reached from the keyboard has its whole text selected, ready
    // to be typed over.
    if ((SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) SendMessageW(window, EM_SETSEL, 0, -1);
    return true;
  }
  return true;
}

LRESULT CALLBACK Win32Form::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Win32Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->mHwnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return form->Handle(message, wParam, lParam);
}

LRESULT Win32Form::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  mSystem.Pointer().Heard(mHwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND:
      if (mPictureBitmap != nullptr) return 1;
      break;
    case WM_LBUTTONDOWN: ButtonDown(runtime::kLeftButton, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: ButtonDown(runtime::kRightButton, wParam, lParam); return 0;
    case WM_MBUTTONDOWN: ButtonDown(runtime::kMiddleButton, wParam, lParam); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const std::int16_t button = ButtonOf(message);
      if (button == mPressButton) mPressButton = 0;
      if (button == mDragButton) EndDrag();
      return 0;
    }
    case WM_MOUSEMOVE:
      if (mDragButton != 0) FollowPointer();
      return 0;
    case WM_CAPTURECHANGED:
      if (mDragButton != 0 && reinterpret_cast<HWND>(lParam) != mHwnd) mDragButton = 0;
      return 0;
    case WM_SYSCOMMAND: return SystemCommand(wParam, lParam);
    case WM_CLOSE: mEvents.CloseRequested(); return 0;
    case WM_SIZE: Resized(wParam); break;
    case kSightChanged: mEvents.SightChanged(); return 0;
    case kFirstFrameShown: FirstFrameShown(); return 0;
    case WM_ACTIVATE: Activated(wParam); return 0;
    case WM_SETFOCUS:
      if (mLastFocus != nullptr && IsWindow(mLastFocus)) SetFocus(mLastFocus);
      return 0;
    case WM_COMMAND:
      // A field's notices go back to the field, which tells the core.
      if (lParam != 0) return SendMessageW(reinterpret_cast<HWND>(lParam), kFieldCommand, wParam, 0);
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (ChildOf(reinterpret_cast<HWND>(lParam)) != nullptr) {
        return SendMessageW(reinterpret_cast<HWND>(lParam), kFieldColours, wParam, 0);
      }
      break;
    case WM_DPICHANGED: ScaleChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    default: break;
  }
  return DefWindowProcW(mHwnd, message, wParam, lParam);
}

void Win32Form::Paint() {
  PAINTSTRUCT paint{};
  HDC target = BeginPaint(mHwnd, &paint);
  if (mPictureBitmap != nullptr && mPicture) {
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, mPictureBitmap);
    // Pixel for pixel at any scale: no blur.
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, mPicture->Width() * mScale, mPicture->Height() * mScale, source, 0, 0,
               mPicture->Width(), mPicture->Height(), SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  } else {
    FillRect(target, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
  }
  EndPaint(mHwnd, &paint);
  // After the keys' own first paints, which come before the next message.
  if (!mFirstFrameShown) PostMessageW(mHwnd, kFirstFrameShown, 0, 0);
}

void Win32Form::ButtonDown(std::int16_t button, WPARAM wParam, LPARAM lParam) {
  mPressButton = button;
  mEvents.BackgroundPressed(MouseInputOf(button, wParam, lParam, mScale));
}

LRESULT Win32Form::SystemCommand(WPARAM wParam, LPARAM lParam) {
  const bool moveWithPointer = (wParam & 0xFFF0) == SC_MOVE && (wParam & 0x000F) != 0;
  if (!moveWithPointer) return DefWindowProcW(mHwnd, WM_SYSCOMMAND, wParam, lParam);
  if (mPressButton == runtime::kLeftButton) {
    // The system's own move: it follows the left button until it comes up,
    // and knows the desktop's edges and snapping.
    const LRESULT result = DefWindowProcW(mHwnd, WM_SYSCOMMAND, wParam, lParam);
    mPressButton = 0;  // its loop took the button's release
    return result;
  }
  if (mPressButton == 0) return 0;
  // The system's move ends only with the left button; for the others the
  // window follows the pointer itself until that button comes up.
  POINT pointer{};
  RECT window{};
  GetCursorPos(&pointer);
  GetWindowRect(mHwnd, &window);
  mDragOffset = {pointer.x - window.left, pointer.y - window.top};
  mDragButton = mPressButton;
  SetCapture(mHwnd);
  return 0;
}

void Win32Form::FollowPointer() {
  if ((GetKeyState(VirtualKeyOf(mDragButton)) & 0x8000) == 0) {
    EndDrag();  // a release we never saw must not leave the window glued to the pointer
    return;
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  SetWindowPos(mHwnd, nullptr, pointer.x - mDragOffset.x, pointer.y - mDragOffset.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::EndDrag() {
  mDragButton = 0;
  if (GetCapture() == mHwnd) ReleaseCapture();
}

void Win32Form::Resized(WPARAM kind) {
  if (kind == SIZE_MINIMIZED || kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED) {
    PostMessageW(mHwnd, kSightChanged, 0, 0);
  }
}

void Win32Form::Activated(WPARAM state) {
  if (LOWORD(state) == WA_INACTIVE) {
    // The control with the keyboard gets it back when the window does.
    const HWND focus = GetFocus();
    if (focus != nullptr && ChildOf(focus) != nullptr) mLastFocus = focus;
    return;
  }
  if (mLastFocus != nullptr && IsWindow(mLastFocus) && !IsIconic(mHwnd)) {
    SetFocus(mLastFocus);
  } else if (!IsIconic(mHwnd) && (GetFocus() == nullptr || ChildOf(GetFocus()) == nullptr)) {
    SetFocus(mHwnd);
  }
}

void Win32Form::ScaleChanged(UINT dpi, const RECT* suggested) {
  const int scale = WholeScale(dpi);
  if (suggested != nullptr) {
    SetWindowPos(mHwnd, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (scale == mScale) return;
  mScale = scale;
  ApplySize();
  for (ChildOfForm* child : mChildren) child->Rescale();
  InvalidateRect(mHwnd, nullptr, TRUE);
}

}  // namespace win32_frontend
