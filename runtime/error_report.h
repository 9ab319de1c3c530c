// SPDX-License-Identifier: MIT
#pragma once

namespace runtime {

class RuntimeError;

// The default handling of an unhandled run-time error: one line on standard
// error, "Run-time error 'N': description", and a message box. Only one box
// is open at a time; errors while it is open go to standard error only. The
// box does not block the handler that failed, which is simply abandoned.
void ReportToUser(const RuntimeError& error);

// The same line and box for an error the program cannot go on after; returns
// once the user has closed the box.
void ReportBeforeLeaving(const RuntimeError& error);

}  // namespace runtime
