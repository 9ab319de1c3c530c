// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/values/variant.h"

namespace runtime {

// A control's saved settings: named values in the order they were written.
// Names match without regard to case. Writing with a default leaves out a
// value equal to it, so a bag holds only what differs from the defaults.
//
// The binary form (the one the form designs store) is a run of entries:
//   name     32-bit count, then that many UTF-16 units, in lower case
//   type     16-bit variant type: 2 Integer, 3 Long, 5 Double, 8 String,
//            11 Boolean, 13 object
//   value    little-endian; a string is a 32-bit count and UTF-16 units;
//            an object is its class identifier and then
//              font:    version 1, 16-bit charset, attribute byte (2 italic,
//                       4 underline, 8 strikethrough), 16-bit weight, 32-bit
//                       size in 1/10000 pt, name length byte, GBK name
//              picture: "lt", 0, 0, 32-bit byte count, the picture file
//            (an all-zero identifier stands for Nothing).
class PropertyBag {
 public:
  struct Entry {
    std::string name;
    Variant value;
  };

  [[nodiscard]] Variant ReadProperty(std::string_view name, const Variant& defaultValue) const;
  // Always stored.
  void WriteProperty(std::string_view name, const Variant& value);
  // Left out when equal to `defaultValue`.
  void WriteProperty(std::string_view name, const Variant& value, const Variant& defaultValue);

  [[nodiscard]] const std::vector<Entry>& Entries() const { return mEntries; }

  // Reads the binary form. A truncated or malformed bag is a load error that
  // names the entry at fault; nothing is ever read past the end.
  static PropertyBag FromBytes(std::string_view bytes);
  // The picture files the binary form holds, in order, as stored: nothing
  // is decoded. Reading stops quietly at a fault, which FromBytes reports.
  static std::vector<std::string> PictureFiles(std::string_view bytes);
  [[nodiscard]] std::string ToBytes() const;

 private:
  std::vector<Entry> mEntries;
};

}  // namespace runtime
