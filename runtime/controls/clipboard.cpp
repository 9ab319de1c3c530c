// SPDX-License-Identifier: MIT
#include "runtime/controls/clipboard.h"

#include "runtime/runtime_error.h"
#include "runtime/seam/window_system.h"

namespace runtime {

void ClipboardObject::Clear() {
  if (!WindowSystem::Installed() || !WindowSystem::Current().ClearClipboard()) Raise(kCannotOpenClipboard);
}

void ClipboardObject::SetText(const std::u16string& text) {
  if (!WindowSystem::Installed() || !WindowSystem::Current().SetClipboardText(text)) Raise(kCannotOpenClipboard);
}

ClipboardObject& Clipboard() {
  static ClipboardObject object;
  return object;
}

}  // namespace runtime
