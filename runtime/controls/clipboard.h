// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace runtime {

// The runtime's global Clipboard object over the system clipboard.
class ClipboardObject {
 public:
  // Empties the clipboard of every format.
  void Clear();
  // Puts plain text on the clipboard, replacing whatever it held.
  void SetText(const QString& text);
};

// The global object, created on first use.
ClipboardObject& Clipboard();

}  // namespace runtime
