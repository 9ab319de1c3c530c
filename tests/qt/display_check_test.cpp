// SPDX-License-Identifier: MIT
#include "qt/platform/display_check.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Case {
  const char* name;
  std::map<std::string, std::string> environment;
  std::vector<const char*> arguments;  // after the program's name
  std::optional<std::string> missing;
  bool waylandSocketExists = false;
};

const char* const kNeither = "neither DISPLAY nor WAYLAND_DISPLAY is set";
const char* const kNoX11 = "DISPLAY is not set";
const char* const kNoWayland = "WAYLAND_DISPLAY is not set";

const std::vector<Case> kCases = {
    {"nothing at all, as over ssh", {}, {}, kNeither},
    {"an X11 display", {{"DISPLAY", ":0"}}, {}, std::nullopt},
    {"a Wayland display", {{"WAYLAND_DISPLAY", "wayland-1"}}, {}, std::nullopt},
    {"a text session", {{"XDG_SESSION_TYPE", "tty"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, kNeither, true},
    {"a Wayland session finds the default socket",
     {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, std::nullopt, true},
    {"a Wayland session without a socket",
     {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, kNeither},
    {"an empty DISPLAY counts as none", {{"DISPLAY", ""}}, {}, kNeither},
    {"offscreen needs no display", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, std::nullopt},
    {"a framebuffer needs no display", {{"QT_QPA_PLATFORM", "linuxfb:fb=/dev/fb0"}}, {}, std::nullopt},
    {"X11 asked for", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, {}, kNoX11},
    {"X11 with its options", {{"QT_QPA_PLATFORM", "xcb:nograb"}}, {}, kNoX11},
    {"Wayland asked for", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, {}, kNoWayland},
    {"Wayland through the default socket",
     {{"QT_QPA_PLATFORM", "wayland"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}, std::nullopt, true},
    {"Wayland through a handed-over socket", {{"QT_QPA_PLATFORM", "wayland"}, {"WAYLAND_SOCKET", "3"}}, {},
     std::nullopt},
    {"Wayland, then X11", {{"QT_QPA_PLATFORM", "wayland;xcb"}}, {}, kNeither},
    {"Wayland, then X11 that is there", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, {}, std::nullopt},
    {"a fallback that needs no display", {{"QT_QPA_PLATFORM", "xcb;offscreen"}}, {}, std::nullopt},
    {"Qt's -platform option", {}, {"-platform", "offscreen"}, std::nullopt},
    {"Qt's --platform option", {}, {"--platform", "offscreen"}, std::nullopt},
    {"the option wins over the variable", {{"QT_QPA_PLATFORM", "offscreen"}}, {"-platform", "xcb"}, kNoX11},
    {"the last option wins", {}, {"-platform", "offscreen", "-platform", "wayland"}, kNoWayland},
    {"-platform without a name", {}, {"-platform"}, kNeither},
    {"X11's own -display option", {}, {"-display", ":3"}, std::nullopt},
    {"other arguments change nothing", {}, {"--help", "offscreen"}, kNeither},
};

TEST(MissingDisplay, LooksWhereQtWouldConnect) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const qt_frontend::DisplaySearch search{
        [&c](const char* name) {
          const auto found = c.environment.find(name);
          return found == c.environment.end() ? std::string() : found->second;
        },
        [&c](const std::string& path) { return c.waylandSocketExists && path == "/run/user/1000/wayland-0"; },
    };
    std::vector<const char*> argv = {"zorvane"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    EXPECT_EQ(qt_frontend::MissingDisplay(static_cast<int>(argv.size()), argv.data(), search), c.missing);
  }
}

}  // namespace
