// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <QImage>
#include <QRect>
#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <thread>
#include <utility>
#include <vector>

namespace x11_test {

// A private Xvfb for the tests, with a client connection to it. The server
// picks a free display number itself (-displayfd), so tests running beside
// other X servers on the machine never collide with them.
class XServer {
 public:
  // Starts the server; throws std::runtime_error when it does not come up.
  XServer(int width, int height);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  [[nodiscard]] const std::string& Display() const { return mDisplay; }
  [[nodiscard]] xcb_connection_t* Connection() const { return mConnection; }
  [[nodiscard]] xcb_window_t Root() const { return mRoot; }
  [[nodiscard]] xcb_atom_t Atom(const char* name) const;

  // Replaces the resource database programs read at start, as `xrdb` does
  // on a fresh server ("Xft.dpi:\t144\n"); empty leaves none.
  void SetResources(const std::string& resources);

  // What the screen shows there, in device pixels.
  [[nodiscard]] QImage Grab(const QRect& area) const;
  // Where a top-level window lies on the screen; empty when it is gone.
  [[nodiscard]] QRect Geometry(xcb_window_t window) const;
  // The viewable top-level windows, bottom to top.
  [[nodiscard]] std::vector<xcb_window_t> ShownWindows() const;
  [[nodiscard]] std::string Title(xcb_window_t window) const;

  // A plain window of the test's own, above every other: for the program
  // under test, a window of another program. Shown once the server has
  // mapped it.
  xcb_window_t ShowWindow(const QRect& place, std::uint32_t colour) const;
  void CloseWindow(xcb_window_t window) const;

 private:
  pid_t mPid = -1;
  std::string mDisplay;
  xcb_connection_t* mConnection = nullptr;
  xcb_window_t mRoot = 0;
};

// A program started on the server; it is ended when this goes.
class RunningProgram {
 public:
  // `environment` is laid over the test's own (DISPLAY and the xcb platform
  // come from the server); a later entry for a name wins over an earlier
  // one, and an empty value removes the name.
  RunningProgram(const XServer& server, const std::string& path,
                 const std::vector<std::pair<std::string, std::string>>& environment);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Its top-level window of that title once it is shown; 0 when none
  // appears in time.
  xcb_window_t WaitForWindow(const std::string& title, std::chrono::milliseconds timeout) const;

  // Its exit status once it has ended on its own; -1 when it is still
  // running after `timeout` (or ended by a signal).
  int WaitForExit(std::chrono::milliseconds timeout);

 private:
  const XServer& mServer;
  pid_t mPid = -1;
};

// Runs a command-line X client (xdotool) on the server and waits for it;
// true when it succeeded.
bool RunClient(const XServer& server, const std::vector<std::string>& arguments);

// The same, for what the client writes on its standard output (xclip -o).
std::string ClientOutput(const XServer& server, const std::vector<std::string>& arguments);

// Polls `condition` every 50 ms until it holds or `timeout` passes; X
// servers and programs on a shared machine take their time.
template <class Condition>
bool Eventually(Condition&& condition, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

}  // namespace x11_test
