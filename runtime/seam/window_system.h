// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/seam/gdi_types.h"
#include "runtime/seam/geometry.h"
#include "runtime/values/colour.h"

namespace runtime {

class Beat;
class EditField;
class EditFieldEvents;
class FormWindow;
class FormWindowEvents;
class GdiDevice;
class PopupMenu;
class SurfaceEvents;
class SurfaceWindow;
struct Font;

// How much room a text takes in a font, in logical pixels: its advance, the
// height of a line, and the baseline's distance from the line's top.
struct TextMetrics {
  int width = 0;
  int height = 0;
  int ascent = 0;
};

// The seam between the core and a window system: everything the system
// needs that only a window system can do. The core calls these
// declarations and nothing else of the platform; each front-end (Qt's
// widgets, the Win32 API, one made for tests) implements them once, and the
// program installs one by making it. The rules a user can see are the
// core's, never a front-end's.
//
// Names here are not those of the platform's own headers (which make many
// of them macros), so a front-end includes both side by side.
class WindowSystem {
 public:
  virtual ~WindowSystem();

  // The window system the program runs on: the one made last and not yet
  // gone. Calling it when there is none is a fault in the program.
  static WindowSystem& Current();
  static bool Installed();

  // --- windows ---
  virtual std::unique_ptr<FormWindow> NewFormWindow(FormWindowEvents& events) = 0;
  virtual std::unique_ptr<SurfaceWindow> NewSurfaceWindow(FormWindow& form, SurfaceEvents& events) = 0;
  virtual std::unique_ptr<EditField> NewEditField(FormWindow& form, EditFieldEvents& events) = 0;
  // `name` is the menu's name in its form's design.
  virtual std::unique_ptr<PopupMenu> NewPopupMenu(std::string_view name) = 0;
  virtual std::unique_ptr<Beat> NewBeat(std::function<void()> onBeat) = 0;

  // --- the program ---
  // Every window of the program disappears and the event loop, if it runs,
  // returns; the front-end still shuts down in order, so that what was put
  // on the clipboard stays there.
  virtual void EndProgram() = 0;
  // The message of a run-time error in a box titled with the program's
  // name. With `wait`, returns once the user has closed it. Without, returns
  // at once and the box stays until closed; then false when a box is open
  // already, since one at a time is enough.
  virtual bool ShowErrorBox(std::u16string_view text, bool wait) = 0;

  // --- the clipboard ---
  // False when the clipboard cannot be opened.
  virtual bool ClearClipboard() = 0;
  // Plain text, replacing whatever the clipboard held; false when it cannot
  // be opened.
  virtual bool SetClipboardText(std::u16string_view text) = 0;
  virtual std::u16string ClipboardText() = 0;

  // --- the pointer and the window calls the system makes ---
  // Where the pointer is, in logical pixels on the screen.
  virtual Point CursorPos() = 0;
  // The handle of the program's window (a form or a control) under a point
  // of the screen, or 0. A disabled control gives the window it sits in.
  virtual WindowHandle WindowFromPoint(Point screen) = 0;
  // Lets go of the pointer if a window of the program holds it.
  virtual void ReleaseCapture() = 0;
  // A message to a window; of those the system sends, only the command to
  // move a form with the pointer (the system command SC_MOVE) does anything.
  virtual std::int32_t SendWindowMessage(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                         std::int32_t lParam) = 0;

  // --- text ---
  virtual TextMetrics MeasureText(const Font& font, std::u16string_view text) = 0;
  // Draws `text` with its line's top-left corner at `topLeft` on the bitmap
  // the device context holds, leaving the pixels around the glyphs as they
  // were.
  virtual void DrawTextOn(gdi::HDC hdc, const Font& font, Colour colour, Point topLeft, std::u16string_view text) = 0;
  // The family's name as installed, when a family of that name (any case)
  // is installed; empty otherwise.
  virtual std::u16string InstalledFamily(std::u16string_view family) = 0;
  // The font of the window system's own texts in the program: a field's
  // context menu, tooltips, message boxes.
  [[nodiscard]] virtual Font InterfaceFont() = 0;
  virtual void SetInterfaceFont(const Font& font) = 0;
  // The window system's own texts in the given language ("zh_CN"), whatever
  // the user's locale, where the front-end can; false when it cannot.
  virtual bool UseLanguage(std::string_view locale) = 0;

  // --- drawing ---
  virtual GdiDevice& Gdi() = 0;

 protected:
  WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

 private:
  WindowSystem* mPrevious = nullptr;
};

}  // namespace runtime
