// SPDX-License-Identifier: MIT
#include "main_window/form1.h"
#include "main_window/project.h"
#include "qt/application.h"

int main(int argc, char** argv) {
  if (!qt_frontend::Application::FindDisplay(argc, argv, "zorvane")) return 1;
  qt_frontend::Application application(argc, argv, "Zorvane", "org.zorvane.Zorvane");
  main_window::Project project;
  return application.Run([&project]() -> runtime::Form& { return project.Form1(); });
}
