// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace runtime {

// The runtime's global Clipboard object over the system clipboard. A
// clipboard that cannot be opened is run-time error 521.
class ClipboardObject {
 public:
  // Empties the clipboard of every format.
  void Clear();
  // Puts plain text on the clipboard, replacing whatever it held.
  void SetText(const std::u16string& text);
};

// The global object, created on first use.
ClipboardObject& Clipboard();

}  // namespace runtime
