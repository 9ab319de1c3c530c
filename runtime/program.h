// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace runtime {

class RuntimeError;

// Thrown by End() to unwind every handler that is still running, nested or
// not. It is not a run-time error: nothing suppresses it, and the dispatch
// boundary swallows it silently.
struct ProgramEnd {};

// One run of the system: whether it has ended and where unhandled run-time
// errors go. Forms, controls and the boundary consult the current program;
// tests make one per case so an ended run never leaks into the next.
class Program {
 public:
  using ErrorSink = std::function<void(const RuntimeError&)>;

  Program();
  virtual ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The program that is running, or null outside of one.
  static Program* Current();

  [[nodiscard]] bool Ended() const { return mEnded; }

  // Ends the run at once: every window disappears, the event loop is asked to
  // return and no further code of the system runs. The window system itself
  // still shuts down in order, so what was copied stays on the clipboard.
  [[noreturn]] void End();

  // Where unhandled run-time errors are reported; by default standard error
  // and a message box.
  void SetErrorSink(ErrorSink sink) { mErrorSink = std::move(sink); }
  void Report(const RuntimeError& error);

 private:
  Program* mPrevious = nullptr;
  bool mEnded = false;
  ErrorSink mErrorSink;
};

// The current program's End(); a no-op unwinding when there is none.
[[noreturn]] void End();

// True once the current program has ended.
bool HasEnded();

// Called after anything that may have run system code nested (a text write
// raising Change, a popup menu's item): when that code ended the program, the
// caller stops too.
void ThrowIfEnded();

}  // namespace runtime
