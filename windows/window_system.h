// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/seam/window_system.h"
#include "runtime/values/font.h"
#include "windows/fonts.h"
#include "windows/pointer_tracker.h"
#include "windows/windows_gdi.h"

namespace win32_frontend {

class Win32Beat;
class Win32Form;

// The runtime's window system on the Win32 API: forms and controls are
// windows of classes registered once, timers run on a message-only window,
// the graphics device and every call the system makes are the real ones.
// One exists per program, on its one thread; it owns nothing of the core.
class Win32WindowSystem : public runtime::WindowSystem {
 public:
  // `name` is the program's, for the title of its message boxes.
  Win32WindowSystem(HINSTANCE instance, std::u16string name);
  ~Win32WindowSystem() override;

  std::unique_ptr<runtime::FormWindow> NewFormWindow(runtime::FormWindowEvents& events) override;
  std::unique_ptr<runtime::SurfaceWindow> NewSurfaceWindow(runtime::FormWindow& form,
                                                           runtime::SurfaceEvents& events) override;
  std::unique_ptr<runtime::EditField> NewEditField(runtime::FormWindow& form, runtime::EditFieldEvents& events) override;
  std::unique_ptr<runtime::PopupMenu> NewPopupMenu(std::string_view name) override;
  std::unique_ptr<runtime::Beat> NewBeat(std::function<void()> onBeat) override;

  void EndProgram() override;
  bool ShowErrorBox(std::u16string_view text, bool wait) override;

  bool ClearClipboard() override;
  bool SetClipboardText(std::u16string_view text) override;
  std::u16string ClipboardText() override;

  runtime::Point CursorPos() override;
  runtime::WindowHandle WindowFromPoint(runtime::Point screen) override;
  void ReleaseCapture() override;
  std::int32_t SendWindowMessage(runtime::WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                 std::int32_t lParam) override;

  runtime::TextMetrics MeasureText(const runtime::Font& font, std::u16string_view text) override;
  void DrawTextOn(runtime::gdi::HDC hdc, const runtime::Font& font, runtime::Colour colour, runtime::Point topLeft,
                  std::u16string_view text) override;
  std::u16string InstalledFamily(std::u16string_view family) override;
  runtime::Font InterfaceFont() override;
  void SetInterfaceFont(const runtime::Font& font) override { mInterfaceFont = font; }
  bool UseLanguage(std::string_view locale) override;

  WindowsGdi& Gdi() override { return mGdi; }

  // --- for the front-end's own parts ---
  [[nodiscard]] HINSTANCE Instance() const { return mInstance; }
  [[nodiscard]] Fonts& FontsInUse() { return mFonts; }
  // Where the pointer is, as far as the program's windows have heard.
  [[nodiscard]] PointerTracker& Pointer() { return mPointer; }
  void FormMade(Win32Form& form) { mForms.push_back(&form); }
  void FormGone(Win32Form& form);
  // The form a window of the program belongs to, or null.
  [[nodiscard]] Win32Form* FormOf(HWND window) const;
  // Menu items' commands: a number for each, and what choosing it runs.
  UINT NewCommand(std::function<void()> chosen);
  void ForgetCommand(UINT command) { mCommands.erase(command); }
  void RunCommand(UINT command);
  [[nodiscard]] HWND MenuOwner() const;
  // The event loop runs: ending the program makes it return.
  void SetEventLoopRunning(bool running) { mLoopRunning = running; }
  void BeatMade(UINT id, Win32Beat& beat) { mBeats[id] = &beat; }
  void BeatGone(UINT id) { mBeats.erase(id); }
  [[nodiscard]] HWND MessageWindow() const { return mMessages; }
  // Names a window for assistive technology by a dynamic annotation.
  void Annotate(HWND window, const std::u16string& name);

 private:
  static LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowPostedBox(std::u16string* text);
  bool OpenClipboardPatiently();

  HINSTANCE mInstance;
  std::u16string mName;
  HWND mMessages = nullptr;  // timers and what is posted to run later
  WindowsGdi mGdi;
  Fonts mFonts;
  PointerTracker mPointer;
  HDC mMeasuring = nullptr;  // a screen DC's twin for measuring text
  std::vector<Win32Form*> mForms;
  std::map<UINT, std::function<void()>> mCommands;
  UINT mNextCommand = 100;
  std::map<UINT, Win32Beat*> mBeats;
  bool mLoopRunning = false;
  bool mBoxOpen = false;
  HMODULE mOle32 = nullptr;  // loaded for the names for assistive technology
  bool mComStarted = false;
  bool mComTried = false;
  std::optional<runtime::Font> mInterfaceFont;
};

}  // namespace win32_frontend
