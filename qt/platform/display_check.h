// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qt_frontend {

// Where to look for a display: the process's environment and file system, or
// whatever a test supplies.
struct DisplaySearch {
  // The variable's value; empty when unset.
  std::function<std::string(const char* name)> variable;
  // Whether a file (a Wayland socket) exists.
  std::function<bool(const std::string& path)> exists;
};

// The real environment and file system.
DisplaySearch SystemDisplaySearch();

// Qt aborts, with advice to reinstall, when the window system it chose has no
// display to connect to. This looks first, the way Qt chooses: its
// `-platform` option, else QT_QPA_PLATFORM, else X11 (Wayland too in a
// Wayland session). It answers what is missing, e.g. "neither DISPLAY nor
// WAYLAND_DISPLAY is set", or nothing when a display may be reached or the
// platform needs none (offscreen, a framebuffer, VNC).
std::optional<std::string> MissingDisplay(int argc, const char* const* argv, const DisplaySearch& search);

}  // namespace qt_frontend
