// SPDX-License-Identifier: MIT
#include "qt/platform/platform.h"

#include <QGuiApplication>

namespace qt_frontend {

bool OnWayland() {
  // Qt's Wayland plugins are all named "wayland" or "wayland-<variant>".
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace qt_frontend
