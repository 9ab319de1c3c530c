// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>

namespace win32_frontend {

// Follows the pointer through the mouse messages of the keys' windows, so
// that a key's poll (where the pointer is, which window lies under it) is
// answered without asking the system while the program already knows.
// Once the pointer has moved in a key's window with no button held, it is
// there until the system says it has left (TrackMouseEvent's WM_MOUSELEAVE,
// which also comes when another window is put over it). In every other case
// (a button held or just let go, the capture or the activation changed, a
// window moved, shown, hidden, enabled or disabled, nothing heard yet) the
// system is asked, as before.
//
// Windows reports the leave as the pointer goes. Wine finds it out on a
// timer of the system's hover time (400 ms) when the pointer leaves the
// program's windows altogether, so there a key can keep its hover picture
// that much longer; moving between the program's own windows is seen at
// once everywhere, since each new window's first move is heard.
class PointerTracker {
 public:
  // A WM_MOUSEMOVE reached `window`: its wParam and its point on the screen.
  void Moved(HWND window, WPARAM keys, POINT screen);
  // A button went down or came up: the pointer may be anywhere once the
  // window that held the mouse lets it go.
  void ButtonsChanged(WPARAM keys);
  // WM_MOUSELEAVE for `window`.
  void Left(HWND window);
  // Hears a message of one of the program's windows, and takes from it
  // whatever tells where the pointer is (or that the program cannot know).
  void Heard(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Anything after which the pointer or the window under it may not be
  // what was last seen.
  void Forget() { mWindow = nullptr; }

  // Where the pointer is, when known without asking.
  [[nodiscard]] std::optional<POINT> Position() const;
  // The window under `point`, when that is where the pointer was seen and
  // the answer is known without asking.
  [[nodiscard]] std::optional<HWND> WindowAt(POINT point) const;

 private:
  HWND mWindow = nullptr;  // the window the pointer is known to be in
  POINT mPosition{};
  bool mHeld = false;
};

}  // namespace win32_frontend
