// SPDX-License-Identifier: MIT
#include "runtime/program.h"

#include "runtime/error_report.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/window_system.h"

namespace runtime {
namespace {
Program* gCurrent = nullptr;
}  // namespace

Program::Program() : mPrevious(gCurrent) { gCurrent = this; }

Program::~Program() {
  if (gCurrent == this) gCurrent = mPrevious;
}

Program* Program::Current() { return gCurrent; }

void Program::End() {
  if (!mEnded) {
    mEnded = true;
    // The windows are hidden, never deleted: the handler that called End may
    // be running inside one of their own event code.
    if (WindowSystem::Installed()) WindowSystem::Current().EndProgram();
  }
  throw ProgramEnd{};
}

void Program::Report(const RuntimeError& error) {
  if (mErrorSink) {
    mErrorSink(error);
  } else {
    ReportToUser(error);
  }
}

void End() {
  if (Program* program = Program::Current()) program->End();
  throw ProgramEnd{};
}

bool HasEnded() {
  const Program* program = Program::Current();
  return program != nullptr && program->Ended();
}

void ThrowIfEnded() {
  if (HasEnded()) throw ProgramEnd{};
}

}  // namespace runtime
