#pragma once

#include <functional>

namespace runtime {

// The one boundary between Qt and the system's code. Everything the runtime
// runs for an event goes through here: a run-time error is reported and the
// event abandoned, End() unwinds to here and stops, and no exception of any
// kind reaches Qt's event loop. Once the program has ended, nothing runs.
void Boundary(const std::function<void()>& body);

// Runs one statement of a handler that suppresses run-time errors: an error
// abandons the statement and execution goes on with the next one. End() is
// not an error and still unwinds.
void ResumeNext(const std::function<void()>& statement);

}  // namespace runtime
