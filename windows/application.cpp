// SPDX-License-Identifier: MIT
#include "windows/application.h"

#include <windows.h>

#include <optional>

#include "runtime/forms/start_up.h"
#include "runtime/values/picture.h"
#include "windows/form_window.h"
#include "windows/window_system.h"

namespace win32_frontend {

Application::Application(const char16_t* name)
    : mWindowSystem(std::make_unique<Win32WindowSystem>(GetModuleHandleW(nullptr), name)) {}

Application::~Application() {
  // Work done ahead on another thread ends before anything it may use goes.
  runtime::FinishDecodingAhead();
  mWindowSystem.reset();
}

int Application::Run(const std::function<runtime::Form&()>& startup) {
  if (const std::optional<int> ended = runtime::ShowStartUpForm(startup)) return *ended;
  mWindowSystem->SetEventLoopRunning(true);
  MSG message{};
  int got = 0;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
      Win32Form* form = mWindowSystem->FormOf(message.hwnd);
      if (form != nullptr && form->TabFrom(message.hwnd, GetKeyState(VK_SHIFT) < 0)) continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  mWindowSystem->SetEventLoopRunning(false);
  return got < 0 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace win32_frontend
