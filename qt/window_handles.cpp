// SPDX-License-Identifier: MIT
#include "qt/window_handles.h"

#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace qt_frontend {
namespace {

constexpr const char* kHandleProperty = "zorvaneWindowHandle";

QHash<std::int32_t, QPointer<QWidget>>& Table() {
  static QHash<std::int32_t, QPointer<QWidget>> table;
  return table;
}

}  // namespace

std::int32_t HandleOf(QWidget* widget) {
  if (widget == nullptr) return 0;
  const QVariant known = widget->property(kHandleProperty);
  if (known.isValid()) return known.toInt();
  static std::int32_t next = 0x00010010;
  const std::int32_t handle = next;
  next += 4;
  widget->setProperty(kHandleProperty, handle);
  auto& table = Table();
  table.insert(handle, widget);
  QObject::connect(widget, &QObject::destroyed, [handle] { Table().remove(handle); });
  return handle;
}

QWidget* WidgetOf(std::int32_t handle) {
  const auto& table = Table();
  const auto found = table.constFind(handle);
  return found == table.constEnd() ? nullptr : found->data();
}

}  // namespace qt_frontend
