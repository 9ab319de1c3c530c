// SPDX-License-Identifier: MIT
#include "qt/platform/session_bus.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// Sets or clears an environment variable for one scope.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const QByteArray* value)
      : mName(name), mHad(qEnvironmentVariableIsSet(name)), mOld(qgetenv(name)) {
    if (value != nullptr) {
      qputenv(name, *value);
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (mHad) {
      qputenv(mName, mOld);
    } else {
      qunsetenv(mName);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* mName;
  bool mHad;
  QByteArray mOld;
};

TEST(SessionBus, KnownOnlyWhereNoHelperMustBeStartedToFindIt) {
  QTemporaryDir withBus;
  QTemporaryDir withoutBus;
  ASSERT_TRUE(withBus.isValid() && withoutBus.isValid());
  QFile socket(withBus.filePath(QStringLiteral("bus")));
  ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
  socket.close();
  const QByteArray busDir = withBus.path().toUtf8();
  const QByteArray emptyDir = withoutBus.path().toUtf8();
  const QByteArray address = "unix:path=/run/user/1000/bus";
  const QByteArray empty;
  const QByteArray autolaunch = "autolaunch:";
  const QByteArray autolaunchAfterAnother = "unix:path=/nowhere;autolaunch:scope=user";

  struct Case {
    const char* name;
    const QByteArray* address;
    const QByteArray* runtimeDir;
    bool known;
  };
  const Case cases[] = {
      {"an address given", &address, &emptyDir, true},
      {"an address and no runtime directory", &address, nullptr, true},
      {"the per-user bus", nullptr, &busDir, true},
      {"an empty address falls back to the per-user bus", &empty, &busDir, true},
      {"an address that starts a helper", &autolaunch, &busDir, false},
      {"a helper as the fallback of an address", &autolaunchAfterAnother, &emptyDir, false},
      {"neither", nullptr, &emptyDir, false},
      {"an empty address and no bus", &empty, &emptyDir, false},
      {"no runtime directory at all", nullptr, nullptr, false},
      {"an empty runtime directory name", nullptr, &empty, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScopedVariable a("DBUS_SESSION_BUS_ADDRESS", c.address);
    const ScopedVariable r("XDG_RUNTIME_DIR", c.runtimeDir);
    EXPECT_EQ(qt_frontend::SessionBusIsAtAKnownAddress(), c.known);
  }
}

}  // namespace
