// SPDX-License-Identifier: MIT
#include "runtime/dispatch.h"

#include <new>
#include <string>

#include "runtime/error_report.h"

namespace runtime {
namespace detail {
namespace {

void Report(const RuntimeError& error) {
  if (Program* program = Program::Current()) {
    program->Report(error);
  } else {
    ReportToUser(error);
  }
}

}  // namespace

void ReportEscapedException() noexcept {
  try {
    throw;
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

}  // namespace detail
}  // namespace runtime
