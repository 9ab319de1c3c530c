// SPDX-License-Identifier: MIT
#include "runtime/forms/start_up.h"

#include "runtime/error_report.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace runtime {

std::optional<int> ShowStartUpForm(const std::function<Form&()>& startup) {
  try {
    Form& form = startup();
    form.SetEndsProgramWhenClosed(true);
    form.Show();
  } catch (const ProgramEnd&) {
    return 0;
  } catch (const RuntimeError& error) {
    // Without its window the program cannot run; say why before leaving.
    ReportBeforeLeaving(error);
    return 1;
  }
  return std::nullopt;
}

}  // namespace runtime
