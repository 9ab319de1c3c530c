// SPDX-License-Identifier: MIT
#include "runtime/controls/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "runtime/runtime_error.h"

namespace runtime {
namespace {

QClipboard& System() {
  QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                              ? QGuiApplication::clipboard()
                              : nullptr;
  if (clipboard == nullptr) Raise(kCannotOpenClipboard);
  return *clipboard;
}

}  // namespace

void ClipboardObject::Clear() { System().clear(QClipboard::Clipboard); }

void ClipboardObject::SetText(const QString& text) { System().setText(text, QClipboard::Clipboard); }

ClipboardObject& Clipboard() {
  static ClipboardObject object;
  return object;
}

}  // namespace runtime
