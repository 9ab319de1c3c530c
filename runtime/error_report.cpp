// SPDX-License-Identifier: MIT
#include "runtime/error_report.h"

#include <cstdio>
#include <string>

#include "runtime/runtime_error.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/text.h"

namespace runtime {
namespace {

void PrintLine(const RuntimeError& error) {
  std::fprintf(stderr, "Run-time error '%d': %s\n", error.Number(), error.Description().c_str());
  std::fflush(stderr);
}

std::u16string BoxText(const RuntimeError& error) {
  return Utf16("Run-time error '" + std::to_string(error.Number()) + "':\n\n" + error.Description());
}

}  // namespace

void ReportToUser(const RuntimeError& error) {
  PrintLine(error);
  if (WindowSystem::Installed()) WindowSystem::Current().ShowErrorBox(BoxText(error), false);
}

void ReportBeforeLeaving(const RuntimeError& error) {
  PrintLine(error);
  if (WindowSystem::Installed()) WindowSystem::Current().ShowErrorBox(BoxText(error), true);
}

}  // namespace runtime
