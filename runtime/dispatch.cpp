#include "runtime/dispatch.h"

#include <new>
#include <string>

#include "runtime/error_report.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace runtime {
namespace {

void Report(const RuntimeError& error) {
  if (Program* program = Program::Current()) {
    program->Report(error);
  } else {
    ReportToUser(error);
  }
}

}  // namespace

void Boundary(const std::function<void()>& body) {
  if (HasEnded()) return;
  try {
    body();
  } catch (const ProgramEnd&) {
  } catch (const RuntimeError& error) {
    Report(error);
  } catch (const std::bad_alloc&) {
    Report(RuntimeError(kOutOfMemory));
  } catch (const std::exception& error) {
    Report(RuntimeError(kInternalError, StandardDescription(kInternalError) + ": " + error.what()));
  } catch (...) {
    Report(RuntimeError(kInternalError));
  }
}

void ResumeNext(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace runtime
