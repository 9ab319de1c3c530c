// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

namespace runtime {
class Form;
}

namespace win32_frontend {

class Win32WindowSystem;

// Starts the runtime on Win32 and runs the system: creates the start-up
// form, shows it and dispatches messages until the program ends. Tab walks
// the keyboard through a form's controls here, in the form's own order.
// The platform's headers stay out of this one, so the program's main can
// join it to the core's without their names meeting.
class Application {
 public:
  // `name` is the program's, for the title of its message boxes.
  explicit Application(const char16_t* name);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // `startup` creates (or finds) the start-up form. Returns the exit status:
  // 0 when the program ended normally, 1 when the start-up form could not be
  // created (the reason is shown first).
  int Run(const std::function<runtime::Form&()>& startup);

 private:
  std::unique_ptr<Win32WindowSystem> mWindowSystem;
};

}  // namespace win32_frontend
