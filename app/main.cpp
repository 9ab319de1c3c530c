// SPDX-License-Identifier: MIT
#include "main_window/form1.h"
#include "main_window/project.h"
#include "runtime/application.h"

int main(int argc, char** argv) {
  if (!runtime::Application::FindDisplay(argc, argv, "zorvane")) return 1;
  runtime::Application application(argc, argv, "Zorvane", "org.zorvane.Zorvane");
  main_window::Project project;
  return application.Run([&project]() -> runtime::Form& { return project.Form1(); });
}
