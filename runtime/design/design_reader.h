// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/design/form_design.h"

namespace runtime {

// The files a design refers to by name (a control's saved settings, a
// picture); raises a load error for a name it does not have.
using DesignFiles = std::function<std::string(std::string_view name)>;

// The file `name` of a design; a load error when the design came without
// its files.
std::string ReadDesignFile(const DesignFiles& files, const std::string& name);

// Raises a load error that names the design object's line: "line 12: ...".
[[noreturn]] void RaiseLoadError(const DesignNode& node, const std::string& what);

// Typed reading of one design object's settings. Keys match without regard
// to case. A value of the wrong kind or out of range is a load error naming
// the object and key; so is a key that nothing read, which catches a
// misspelt setting instead of silently ignoring it.
class DesignReader {
 public:
  explicit DesignReader(const DesignNode& node);

  [[nodiscard]] const DesignNode& Node() const { return mNode; }

  std::int64_t Integer(std::string_view key, std::int64_t fallback, std::int64_t min,
                       std::int64_t max);
  std::int16_t Integer16(std::string_view key, std::int16_t fallback);
  std::int32_t Integer32(std::string_view key, std::int32_t fallback);
  std::uint32_t Colour(std::string_view key, std::uint32_t fallback);
  bool Flag(std::string_view key, bool fallback);
  double Number(std::string_view key, double fallback);
  // Raw bytes of a string setting.
  std::optional<std::string> Bytes(std::string_view key);
  // A string setting stored in GBK.
  std::u16string GbkText(std::string_view key, const std::u16string& fallback);

  // The property group of that name, or null.
  const DesignNode* Group(std::string_view name);

  // Fails on the first setting or group that nothing read.
  void RequireAllRead() const;

 private:
  const DesignValue* Find(std::string_view key);
  [[noreturn]] void Fail(std::string_view key, const std::string& what) const;

  const DesignNode& mNode;
  std::vector<bool> mRead;
  std::vector<bool> mGroupRead;
};

}  // namespace runtime
