// SPDX-License-Identifier: MIT
#include "runtime/design/design_reader.h"

#include <cmath>

#include "runtime/design/ascii_case.h"
#include "runtime/design/gbk.h"
#include "runtime/runtime_error.h"

namespace runtime {

std::string ReadDesignFile(const DesignFiles& files, const std::string& name) {
  if (!files) Raise(kLoadError, "the design's files are not available for '" + name + "'");
  return files(name);
}

void RaiseLoadError(const DesignNode& node, const std::string& what) {
  Raise(kLoadError, "line " + std::to_string(node.line) + ": " + what);
}

DesignReader::DesignReader(const DesignNode& node)
    : mNode(node), mRead(node.settings.size(), false), mGroupRead(node.groups.size(), false) {}

const DesignValue* DesignReader::Find(std::string_view key) {
  const DesignValue* found = nullptr;
  for (std::size_t i = 0; i < mNode.settings.size(); ++i) {
    if (SameIgnoringAsciiCase(mNode.settings[i].first, key)) {
      if (found != nullptr) Fail(key, "is set twice");
      found = &mNode.settings[i].second;
      mRead[i] = true;
    }
  }
  return found;
}

void DesignReader::Fail(std::string_view key, const std::string& what) const {
  RaiseLoadError(mNode, "'" + mNode.name + "." + std::string(key) + "' " + what);
}

std::int64_t DesignReader::Integer(std::string_view key, std::int64_t fallback, std::int64_t min,
                                   std::int64_t max) {
  const DesignValue* value = Find(key);
  if (value == nullptr) return fallback;
  const auto* whole = std::get_if<std::int64_t>(&value->value);
  if (whole == nullptr) Fail(key, "must be a whole number");
  if (*whole < min || *whole > max) Fail(key, "is out of range");
  return *whole;
}

std::int16_t DesignReader::Integer16(std::string_view key, std::int16_t fallback) {
  return static_cast<std::int16_t>(Integer(key, fallback, INT16_MIN, INT16_MAX));
}

std::int32_t DesignReader::Integer32(std::string_view key, std::int32_t fallback) {
  return static_cast<std::int32_t>(Integer(key, fallback, INT32_MIN, INT32_MAX));
}

std::uint32_t DesignReader::Colour(std::string_view key, std::uint32_t fallback) {
  return static_cast<std::uint32_t>(Integer(key, fallback, 0, UINT32_MAX));
}

bool DesignReader::Flag(std::string_view key, bool fallback) {
  const DesignValue* value = Find(key);
  if (value == nullptr) return fallback;
  const auto* whole = std::get_if<std::int64_t>(&value->value);
  if (whole == nullptr || (*whole != 0 && *whole != -1 && *whole != 1)) {
    Fail(key, "must be 0 (False) or -1 (True)");
  }
  return *whole != 0;
}

double DesignReader::Number(std::string_view key, double fallback) {
  const DesignValue* value = Find(key);
  if (value == nullptr) return fallback;
  if (const auto* whole = std::get_if<std::int64_t>(&value->value)) {
    return static_cast<double>(*whole);
  }
  if (const auto* real = std::get_if<double>(&value->value)) return *real;
  Fail(key, "must be a number");
}

std::optional<std::string> DesignReader::Bytes(std::string_view key) {
  const DesignValue* value = Find(key);
  if (value == nullptr) return std::nullopt;
  const auto* bytes = std::get_if<std::string>(&value->value);
  if (bytes == nullptr) Fail(key, "must be a string");
  return *bytes;
}

std::u16string DesignReader::GbkText(std::string_view key, const std::u16string& fallback) {
  const std::optional<std::string> bytes = Bytes(key);
  return bytes ? DecodeGbk(*bytes) : fallback;
}

const DesignNode* DesignReader::Group(std::string_view name) {
  for (std::size_t i = 0; i < mNode.groups.size(); ++i) {
    if (SameIgnoringAsciiCase(mNode.groups[i].name, name)) {
      mGroupRead[i] = true;
      return &mNode.groups[i];
    }
  }
  return nullptr;
}

void DesignReader::RequireAllRead() const {
  for (std::size_t i = 0; i < mRead.size(); ++i) {
    if (!mRead[i]) Fail(mNode.settings[i].first, "is not a setting of a " + mNode.className);
  }
  for (std::size_t i = 0; i < mGroupRead.size(); ++i) {
    if (!mGroupRead[i]) Fail(mNode.groups[i].name, "is not a setting of a " + mNode.className);
  }
}

}  // namespace runtime
