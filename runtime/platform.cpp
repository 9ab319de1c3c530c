#include "runtime/platform.h"

#include <QGuiApplication>

namespace runtime {

bool OnWayland() {
  // Qt's Wayland plugins are all named "wayland" or "wayland-<variant>".
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace runtime
