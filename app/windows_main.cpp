// SPDX-License-Identifier: MIT
// The program on Windows. A plain main serves a windowed program too; this
// file holds no platform header, so the core's names and the platform's
// never meet.
#include "main_window/form1.h"
#include "main_window/project.h"
#include "windows/application.h"

int main() {
  win32_frontend::Application application(u"Zorvane");
  main_window::Project project;
  return application.Run([&project]() -> runtime::Form& { return project.Form1(); });
}
