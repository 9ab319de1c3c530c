// SPDX-License-Identifier: MIT
#include "main_window/designs.h"

#include <optional>

#include "runtime/runtime_error.h"

namespace main_window {

// The files under designs/, carried in the program (see CMakeLists.txt).
std::optional<std::string_view> EmbeddedFile(std::string_view name);

std::string LoadDesignFile(std::string_view fileName) {
  const std::optional<std::string_view> bytes = EmbeddedFile(fileName);
  if (!bytes) runtime::Raise(runtime::kLoadError, "the design file " + std::string(fileName) + " is missing");
  return std::string(*bytes);
}

runtime::DesignNode LoadDesign(std::string_view fileName) {
  return runtime::ParseFormDesign(LoadDesignFile(fileName), fileName);
}

}  // namespace main_window
