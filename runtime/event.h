// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <utility>

#include "runtime/dispatch.h"
#include "runtime/program.h"

namespace runtime {

// An event a control raises to its container. Arguments declared as
// references reach the handler by reference, so the handler can change them
// and the raising code acts on the changed value. The handler runs at once,
// nested in the raising code; its unhandled errors are its own and are
// reported without stopping the raiser, but if it ended the program the
// raiser stops too. An event without a handler does nothing.
//
// Raise only from code that already runs inside a Boundary.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  void Handle(Handler handler) { mHandler = std::move(handler); }

  void Raise(Args... args) const {
    if (!mHandler) return;
    Boundary([&] { mHandler(std::forward<Args>(args)...); });
    ThrowIfEnded();
  }

 private:
  Handler mHandler;
};

}  // namespace runtime
