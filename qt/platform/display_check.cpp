// SPDX-License-Identifier: MIT
#include "qt/platform/display_check.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace qt_frontend {
namespace {

// Qt reads "--platform" as "-platform", and the last one given wins.
std::string PlatformArgument(int argc, const char* const* argv) {
  std::string platform;
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") platform = argv[++i];
  }
  return platform;
}

bool HasArgument(int argc, const char* const* argv, std::string_view option) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.starts_with("--")) arg.remove_prefix(1);
    if (arg == option) return true;
  }
  return false;
}

// "wayland;xcb" or "xcb:option=value": the names of the platforms Qt tries in turn.
std::vector<std::string> PlatformNames(const std::string& platform) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= platform.size()) {
    std::size_t end = platform.find(';', start);
    if (end == std::string::npos) end = platform.size();
    const std::string entry = platform.substr(start, end - start);
    names.push_back(entry.substr(0, entry.find(':')));
    start = end + 1;
  }
  return names;
}

}  // namespace

DisplaySearch SystemDisplaySearch() {
  return DisplaySearch{
      [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
      },
      [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0;
      },
  };
}

std::optional<std::string> MissingDisplay(int argc, const char* const* argv, const DisplaySearch& search) {
  std::string platform = PlatformArgument(argc, argv);
  if (platform.empty()) platform = search.variable("QT_QPA_PLATFORM");

  bool triesX11 = false;
  bool triesWayland = false;
  if (platform.empty()) {
    // Qt's own choice: Wayland when WAYLAND_DISPLAY or the session says so,
    // else X11. Either would have done, so both are named when neither is there.
    triesX11 = true;
    triesWayland = !search.variable("WAYLAND_DISPLAY").empty() || search.variable("XDG_SESSION_TYPE") == "wayland";
  } else {
    for (const std::string& name : PlatformNames(platform)) {
      if (name == "xcb") {
        triesX11 = true;
      } else if (name.starts_with("wayland")) {
        triesWayland = true;
      } else {
        return std::nullopt;  // a platform that needs no display, or one we do not know
      }
    }
  }

  // X11 through DISPLAY or the X11 platform's own -display option; Wayland
  // through WAYLAND_DISPLAY, a socket handed over in WAYLAND_SOCKET, or the
  // socket the Wayland library tries when neither is set.
  if (triesX11 && (!search.variable("DISPLAY").empty() || HasArgument(argc, argv, "-display"))) {
    return std::nullopt;
  }
  if (triesWayland) {
    const std::string runtimeDir = search.variable("XDG_RUNTIME_DIR");
    if (!search.variable("WAYLAND_DISPLAY").empty() || !search.variable("WAYLAND_SOCKET").empty() ||
        (!runtimeDir.empty() && search.exists(runtimeDir + "/wayland-0"))) {
      return std::nullopt;
    }
  }
  if (platform.empty() || (triesX11 && triesWayland)) return "neither DISPLAY nor WAYLAND_DISPLAY is set";
  return triesX11 ? "DISPLAY is not set" : "WAYLAND_DISPLAY is not set";
}

}  // namespace qt_frontend
