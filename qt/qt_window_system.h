// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include "runtime/seam/window_system.h"
#include "runtime/win32/memory_gdi.h"

class QMessageBox;

namespace qt_frontend {

// The runtime's window system on Qt's widgets (X11 and Wayland alike): forms
// and controls are widgets, the graphics device the runtime's memory one,
// and the pointer is followed through the windows' own events where a
// PointerTracker runs. Made once the QApplication exists.
class QtWindowSystem : public runtime::WindowSystem {
 public:
  QtWindowSystem();
  ~QtWindowSystem() override;

  // The event loop runs (Application::Run): ending the program makes it
  // return. Tests drive events themselves and have no loop to end.
  void SetEventLoopRunning(bool running) { mLoopRunning = running; }

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
  void SetInterfaceFont(const runtime::Font& font) override;
  bool UseLanguage(std::string_view locale) override;

  runtime::MemoryGdi& Gdi() override { return mGdi; }

 private:
  runtime::MemoryGdi mGdi;
  bool mLoopRunning = false;
  QPointer<QMessageBox> mOpenBox;
};

}  // namespace qt_frontend
