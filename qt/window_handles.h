// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class QWidget;

namespace qt_frontend {

// Window handles as the system sees them: 32-bit numbers standing for the
// runtime's windows. A widget gets its handle on first request and keeps it;
// handles are never reused, so a stale one finds nothing.
std::int32_t HandleOf(QWidget* widget);

// The widget behind a handle, or null when it is gone or never existed.
QWidget* WidgetOf(std::int32_t handle);

}  // namespace qt_frontend
