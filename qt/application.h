// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace runtime {
class Form;
}

namespace qt_frontend {

class PointerTracker;
class QtWindowSystem;

// Starts the runtime on Qt and runs the system: creates the start-up form,
// shows it and dispatches events until the program ends.
class Application {
 public:
  // `name` is the program's name, `desktopId` its reverse-DNS application id
  // (the desktop entry's name, the icon's name, the Wayland app id).
  Application(int& argc, char** argv, const char* name, const char* desktopId);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // `startup` creates (or finds) the start-up form. Returns the exit status:
  // 0 when the program ended normally, 1 when the start-up form could not be
  // created (the reason is shown first).
  int Run(const std::function<runtime::Form&()>& startup);

  // True when the window has a display to go on. Otherwise says on standard
  // error, in one line after `command`, which display is missing, where Qt
  // would abort; the caller then ends with status 1. Comes before the
  // Application exists.
  static bool FindDisplay(int argc, const char* const* argv, const char* command);

  // Whole-number scale factors only (150 % shows at 200 %), so pictures drawn
  // pixel for pixel stay sharp. Must come before the QApplication exists.
  static void ChooseDisplayScaling();

 private:
  std::unique_ptr<QApplication> mApp;
  std::unique_ptr<PointerTracker> mPointer;  // where the windows' events tell where the pointer is
  std::unique_ptr<QtWindowSystem> mWindowSystem;
  int mExitStatus = 0;
};

}  // namespace qt_frontend
