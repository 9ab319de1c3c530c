// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace runtime {

namespace detail {
// Called inside a catch-all handler: reports what escaped the system's code
// as a run-time error, unless it was the program ending.
void ReportEscapedException() noexcept;
}  // namespace detail

// The one boundary between the window system and the system's code.
// Everything the runtime runs for an event goes through here: a run-time
// error is reported and the event abandoned, End() unwinds to here and
// stops, and no exception of any kind reaches the window system's event
// loop. Once the program has ended, nothing runs.
template <class Body>
void Boundary(Body&& body) {
  if (HasEnded()) return;
  try {
    body();
  } catch (...) {
    detail::ReportEscapedException();
  }
}

// Runs one statement of a handler that suppresses run-time errors: an error
// abandons the statement and execution goes on with the next one. End() is
// not an error and still unwinds.
template <class Statement>
void ResumeNext(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

}  // namespace runtime
