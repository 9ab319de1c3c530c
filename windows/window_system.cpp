// SPDX-License-Identifier: MIT
#include "windows/window_system.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstring>

#include "runtime/values/font_faces.h"
#include "windows/beat.h"
#include "windows/edit_field.h"
#include "windows/form_window.h"
#include "windows/handles.h"
#include "windows/popup_menu.h"
#include "windows/surface_window.h"

namespace win32_frontend {
namespace {

constexpr const wchar_t* kMessageClass = L"ZorvaneMessages";
// Posted to the message window: show an error box, once the handler that
// failed has returned. lParam holds the text, which the box then owns.
constexpr UINT kShowErrorBox = WM_APP + 20;

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = &Win32Form::WndProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The executable's own icon, until a form sets its design's.
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.lpszClassName = Win32Form::kClassName;
  RegisterClassExW(&form);

  WNDCLASSEXW surface{};
  surface.cbSize = sizeof surface;
  // Double clicks arrive as such, as the runtime counts them.
  surface.style = CS_DBLCLKS;
  surface.lpfnWndProc = &Win32Surface::WndProc;
  surface.hInstance = instance;
  surface.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  surface.lpszClassName = Win32Surface::kClassName;
  RegisterClassExW(&surface);

  WNDCLASSEXW messages{};
  messages.cbSize = sizeof messages;
  messages.lpfnWndProc = &DefWindowProcW;
  messages.hInstance = instance;
  messages.lpszClassName = kMessageClass;
  RegisterClassExW(&messages);
}

// COM's entry points, looked up in ole32.dll once it is loaded.
template <typename Function>
Function ComEntry(HMODULE ole32, const char* name) {
  // Through the generic function type, which GCC accepts any function
  // pointer to be cast from.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(ole32, name)));
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance, std::u16string name)
    : mInstance(instance), mName(std::move(name)) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  RegisterClasses(instance);
  mMessages = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  SetWindowLongPtrW(mMessages, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(mMessages, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32WindowSystem::MessageProc));
  mMeasuring = CreateCompatibleDC(nullptr);
}

Win32WindowSystem::~Win32WindowSystem() {
  SetWindowLongPtrW(mMessages, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  DestroyWindow(mMessages);
  DeleteDC(mMeasuring);
  if (mComStarted) ComEntry<decltype(&CoUninitialize)>(mOle32, "CoUninitialize")();
  if (mOle32 != nullptr) FreeLibrary(mOle32);
}

void Win32WindowSystem::Annotate(HWND window, const std::u16string& name) {
  // COM is loaded and started for this alone, on the first name given (after
  // the first frame): imported, it and what it imports would load before the
  // program starts.
  if (!mComTried) {
    mComTried = true;
    mOle32 = LoadLibraryW(L"ole32.dll");
    mComStarted = mOle32 != nullptr &&
                  SUCCEEDED(ComEntry<decltype(&CoInitializeEx)>(mOle32, "CoInitializeEx")(nullptr, COINIT_APARTMENTTHREADED));
  }
  if (mOle32 == nullptr) return;
  IAccPropServices* services = nullptr;
  if (FAILED(ComEntry<decltype(&CoCreateInstance)>(mOle32, "CoCreateInstance")(
          CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
          reinterpret_cast<void**>(&services)))) {
    return;
  }
  if (name.empty()) {
    MSAAPROPID property = PROPID_ACC_NAME;
    services->ClearHwndProps(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
  } else {
    services->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                             Wide(name.c_str()));
  }
  services->Release();
}

std::unique_ptr<runtime::FormWindow> Win32WindowSystem::NewFormWindow(runtime::FormWindowEvents& events) {
  return std::make_unique<Win32Form>(*this, events);
}

std::unique_ptr<runtime::SurfaceWindow> Win32WindowSystem::NewSurfaceWindow(runtime::FormWindow& form,
                                                                            runtime::SurfaceEvents& events) {
  return std::make_unique<Win32Surface>(dynamic_cast<Win32Form&>(form), events);
}

std::unique_ptr<runtime::EditField> Win32WindowSystem::NewEditField(runtime::FormWindow& form,
                                                                    runtime::EditFieldEvents& events) {
  return std::make_unique<Win32Edit>(dynamic_cast<Win32Form&>(form), events);
}

std::unique_ptr<runtime::PopupMenu> Win32WindowSystem::NewPopupMenu(std::string_view /*name*/) {
  return std::make_unique<Win32Popup>(*this);
}

std::unique_ptr<runtime::Beat> Win32WindowSystem::NewBeat(std::function<void()> onBeat) {
  static UINT next = 1;
  return std::make_unique<Win32Beat>(*this, next++, std::move(onBeat));
}

void Win32WindowSystem::FormGone(Win32Form& form) { std::erase(mForms, &form); }

Win32Form* Win32WindowSystem::FormOf(HWND window) const {
  const HWND root = GetAncestor(window, GA_ROOT);
  for (Win32Form* form : mForms) {
    if (form->Hwnd() == root) return form;
  }
  return nullptr;
}

void Win32WindowSystem::EndProgram() {
  for (Win32Form* form : mForms) form->Hide();
  if (mLoopRunning) PostQuitMessage(0);
}

bool Win32WindowSystem::ShowErrorBox(std::u16string_view text, bool wait) {
  if (wait) {
    mBoxOpen = true;
    MessageBoxW(nullptr, Wide(std::u16string(text).c_str()), Wide(mName.c_str()), MB_OK | MB_ICONERROR);
    mBoxOpen = false;
    return true;
  }
  if (mBoxOpen) return false;
  mBoxOpen = true;
  // After the handler that failed has returned: the box's own message loop
  // must not run inside it.
  PostMessageW(mMessages, kShowErrorBox, 0, reinterpret_cast<LPARAM>(new std::u16string(text)));
  return true;
}

void Win32WindowSystem::ShowPostedBox(std::u16string* text) {
  const std::unique_ptr<std::u16string> owned(text);
  HWND owner = nullptr;
  for (Win32Form* form : mForms) {
    if (IsWindowVisible(form->Hwnd())) owner = form->Hwnd();
  }
  MessageBoxW(owner, Wide(owned->c_str()), Wide(mName.c_str()), MB_OK | MB_ICONERROR);
  mBoxOpen = false;
}

LRESULT CALLBACK Win32WindowSystem::MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* system = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (system != nullptr) {
    if (message == WM_TIMER) {
      if (const auto beat = system->mBeats.find(static_cast<UINT>(wParam)); beat != system->mBeats.end()) {
        beat->second->Fire();
      }
      return 0;
    }
    if (message == kShowErrorBox) {
      system->ShowPostedBox(reinterpret_cast<std::u16string*>(lParam));
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32WindowSystem::OpenClipboardPatiently() {
  // Another program may hold the clipboard for a moment (a clipboard
  // manager reading what was just copied); only a clipboard that stays
  // taken is one that cannot be opened.
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(mMessages)) return true;
    Sleep(10);
  }
  return false;
}

bool Win32WindowSystem::ClearClipboard() {
  if (!OpenClipboardPatiently()) return false;
  EmptyClipboard();
  CloseClipboard();
  return true;
}

bool Win32WindowSystem::SetClipboardText(std::u16string_view text) {
  if (!OpenClipboardPatiently()) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (memory != nullptr) {
    if (void* to = GlobalLock(memory)) {
      std::memcpy(to, text.data(), text.size() * sizeof(char16_t));
      static_cast<char16_t*>(to)[text.size()] = u'\0';
      GlobalUnlock(memory);
      // The clipboard owns the memory from here on.
      placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!placed) GlobalFree(memory);
  }
  CloseClipboard();
  return placed;
}

std::u16string Win32WindowSystem::ClipboardText() {
  std::u16string text;
  if (!OpenClipboardPatiently()) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* from = static_cast<const char16_t*>(GlobalLock(data))) {
      // No further than the memory holds, whether or not it ends in a zero.
      const std::size_t room = GlobalSize(data) / sizeof(char16_t);
      std::size_t length = 0;
      while (length < room && from[length] != u'\0') ++length;
      text.assign(from, length);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// A key resting under the pointer asks both of these twenty times a second;
// where its window's messages already tell, the system is not asked.
runtime::Point Win32WindowSystem::CursorPos() {
  POINT point{};
  if (const std::optional<POINT> known = mPointer.Position()) {
    point = *known;
  } else {
    ::GetCursorPos(&point);
  }
  return {point.x, point.y};
}

runtime::WindowHandle Win32WindowSystem::WindowFromPoint(runtime::Point screen) {
  const POINT point{screen.x, screen.y};
  const std::optional<HWND> known = mPointer.WindowAt(point);
  return FromHandle(known ? *known : ::WindowFromPoint(point));
}

void Win32WindowSystem::ReleaseCapture() { ::ReleaseCapture(); }

std::int32_t Win32WindowSystem::SendWindowMessage(runtime::WindowHandle window, std::uint32_t message,
                                                  std::int32_t wParam, std::int32_t lParam) {
  return static_cast<std::int32_t>(::SendMessageA(ToHandle<HWND>(window), message, static_cast<WPARAM>(wParam),
                                                  static_cast<LPARAM>(lParam)));
}

runtime::TextMetrics Win32WindowSystem::MeasureText(const runtime::Font& font, std::u16string_view text) {
  const HGDIOBJ old = SelectObject(mMeasuring, mFonts.Get(font, 1, Fonts::Smoothing::kGrey));
  SIZE extent{};
  GetTextExtentPoint32W(mMeasuring, Wide(std::u16string(text).c_str()), static_cast<int>(text.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(mMeasuring, &metrics);
  SelectObject(mMeasuring, old);
  return {extent.cx, metrics.tmHeight, metrics.tmAscent};
}

void Win32WindowSystem::DrawTextOn(runtime::gdi::HDC hdc, const runtime::Font& font, runtime::Colour colour,
                                   runtime::Point topLeft, std::u16string_view text) {
  const HDC target = ToHandle<HDC>(hdc);
  const HGDIOBJ old = SelectObject(target, mFonts.Get(font, 1, Fonts::Smoothing::kGrey));
  SetTextColor(target, ColourRefOf(colour));
  SetBkMode(target, TRANSPARENT);
  SetTextAlign(target, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TextOutW(target, topLeft.x, topLeft.y, Wide(std::u16string(text).c_str()), static_cast<int>(text.size()));
  SelectObject(target, old);
}

std::u16string Win32WindowSystem::InstalledFamily(std::u16string_view family) { return mFonts.InstalledFamily(family); }

runtime::Font Win32WindowSystem::InterfaceFont() {
  if (mInterfaceFont) return *mInterfaceFont;
  // The desktop's own font for messages.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  runtime::Font font;
  font.size = 9;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font.name = reinterpret_cast<const char16_t*>(metrics.lfMessageFont.lfFaceName);
  }
  return font;
}

bool Win32WindowSystem::UseLanguage(std::string_view /*locale*/) {
  // The system's own texts (a field's context menu, a message box's button)
  // follow the user's language on Windows, as every program's do there.
  return false;
}

UINT Win32WindowSystem::NewCommand(std::function<void()> chosen) {
  const UINT command = mNextCommand++;
  mCommands[command] = std::move(chosen);
  return command;
}

void Win32WindowSystem::RunCommand(UINT command) {
  const auto found = mCommands.find(command);
  if (found == mCommands.end() || !found->second) return;
  const std::function<void()> chosen = found->second;  // the menu may go meanwhile
  chosen();
}

HWND Win32WindowSystem::MenuOwner() const {
  const HWND active = GetActiveWindow();
  if (active != nullptr && FormOf(active) != nullptr) return active;
  for (Win32Form* form : mForms) {
    if (IsWindowVisible(form->Hwnd())) return form->Hwnd();
  }
  return mForms.empty() ? nullptr : mForms.front()->Hwnd();
}

// --- beats ---

Win32Beat::Win32Beat(Win32WindowSystem& system, UINT id, std::function<void()> onBeat)
    : mSystem(system), mId(id), mOnBeat(std::move(onBeat)) {
  system.BeatMade(id, *this);
}

Win32Beat::~Win32Beat() {
  Stop();
  mSystem.BeatGone(mId);
}

void Win32Beat::Start(int milliseconds) {
  mInterval = std::max(milliseconds, 1);
  mActive = SetTimer(mSystem.MessageWindow(), mId, static_cast<UINT>(mInterval), nullptr) != 0;
}

void Win32Beat::Stop() {
  if (mActive) KillTimer(mSystem.MessageWindow(), mId);
  mActive = false;
}

}  // namespace win32_frontend
