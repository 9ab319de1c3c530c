// SPDX-License-Identifier: MIT
#include "qt/platform/session_bus.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QFileInfo>
#include <QString>

#include "qt/platform/platform.h"
#include "runtime/work_ahead.h"

namespace qt_frontend {

bool SessionBusIsAtAKnownAddress() {
  const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  // An address may itself ask for the helper, alone or among others.
  if (!address.isEmpty()) return !address.contains("autolaunch:");
  // The per-user bus that libdbus looks for when no address is given.
  const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtimeDir.isEmpty() && QFileInfo(runtimeDir + QStringLiteral("/bus")).exists();
}

void ConnectSessionBusAhead() {
  if (!OnX11() && !OnWayland()) return;
  if (SessionBusIsAtAKnownAddress()) {
    // Qt keeps the connection; the worker only has it made.
    runtime::WorkAhead([] { QDBusConnection::sessionBus(); });
    return;
  }
  // Without an address libdbus forks a helper to find or start a bus. A
  // child forked while one of our threads holds a lock it then needs (the
  // address sanitizer's allocator has no fork handling) never gets to exec,
  // and the connection, with the whole start, waits for it for ever. Qt
  // would connect in the middle of building the window, with pictures being
  // decoded beside it; here no thread of ours is running yet.
  QDBusConnection::sessionBus();
}

}  // namespace qt_frontend
