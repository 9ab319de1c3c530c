// SPDX-License-Identifier: MIT
#include "runtime/platform/session_bus.h"

#include <QDBusConnection>

#include "runtime/platform/platform.h"
#include "runtime/work_ahead.h"

namespace runtime {
void ConnectSessionBusAhead() {
  if (!OnX11() && !OnWayland()) return;
  // Qt keeps the connection; the worker only has it made.
  WorkAhead([] { QDBusConnection::sessionBus(); });
}

}  // namespace runtime
