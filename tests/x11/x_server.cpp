// SPDX-License-Identifier: MIT
#include "x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "screen_capture.h"

extern char** environ;

namespace x11_test {
namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// In a child just forked: nothing of the parent's but the standard streams.
void CloseInheritedFiles(int keep) {
  const long limit = std::min(sysconf(_SC_OPEN_MAX), 4096L);
  for (int fd = 3; fd < limit; ++fd) {
    if (fd != keep) close(fd);
  }
}

// A child of the tests goes with them, however they end.
void DieWithParent() { prctl(PR_SET_PDEATHSIG, SIGKILL); }

void Silence() {
  const int null = open("/dev/null", O_RDWR);
  dup2(null, STDIN_FILENO);
  dup2(null, STDOUT_FILENO);
  if (std::getenv("X11_TEST_VERBOSE") == nullptr) dup2(null, STDERR_FILENO);
}

// Ends a child, politely first; reaps it either way.
void EndChild(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    usleep(50'000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::vector<char*> Arguments(const std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  return argv;
}

}  // namespace

XServer::XServer(int width, int height) {
  int ready[2];
  if (pipe(ready) != 0) throw std::runtime_error("no pipe for Xvfb");
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(ready[1]);
  const std::vector<std::string> words = {"Xvfb", "-displayfd", fd, "-screen", "0", screen, "-nolisten", "tcp",
                                          "-noreset"};
  std::vector<char*> argv = Arguments(words);
  mPid = fork();
  if (mPid == 0) {
    CloseInheritedFiles(ready[1]);
    DieWithParent();
    Silence();
    execvp("Xvfb", argv.data());
    _exit(127);
  }
  close(ready[1]);
  // Xvfb writes its display number once it accepts clients.
  std::string number;
  pollfd waiting{ready[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos && poll(&waiting, 1, 30'000) > 0) {
    char buffer[16];
    const ssize_t got = read(ready[0], buffer, sizeof buffer);
    if (got <= 0) break;
    number.append(buffer, static_cast<std::size_t>(got));
  }
  close(ready[0]);
  if (number.find('\n') == std::string::npos) {
    EndChild(mPid);
    throw std::runtime_error("Xvfb did not start");
  }
  mDisplay = ":" + number.substr(0, number.find('\n'));
  mConnection = xcb_connect(mDisplay.c_str(), nullptr);
  if (xcb_connection_has_error(mConnection)) {
    xcb_disconnect(mConnection);
    EndChild(mPid);
    throw std::runtime_error("cannot connect to Xvfb on " + mDisplay);
  }
  mRoot = xcb_setup_roots_iterator(xcb_get_setup(mConnection)).data->root;
}

XServer::~XServer() {
  xcb_disconnect(mConnection);
  EndChild(mPid);
}

xcb_atom_t XServer::Atom(const char* name) const {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      mConnection, xcb_intern_atom(mConnection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void XServer::SetResources(const std::string& resources) {
  if (resources.empty()) {
    xcb_delete_property(mConnection, mRoot, XCB_ATOM_RESOURCE_MANAGER);
  } else {
    xcb_change_property(mConnection, XCB_PROP_MODE_REPLACE, mRoot, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(resources.size()), resources.data());
  }
  free(xcb_get_input_focus_reply(mConnection, xcb_get_input_focus(mConnection), nullptr));  // a round trip
}

QImage XServer::Grab(const QRect& area) const { return x11_capture::GrabScreen(mConnection, area); }

QRect XServer::Geometry(xcb_window_t window) const {
  const ReplyPtr<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(mConnection, xcb_get_geometry(mConnection, window), nullptr));
  const ReplyPtr<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
      mConnection, xcb_translate_coordinates(mConnection, window, mRoot, 0, 0), nullptr));
  if (!geometry || !origin) return {};
  return {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
}

std::vector<xcb_window_t> XServer::ShownWindows() const {
  std::vector<xcb_window_t> shown;
  const ReplyPtr<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(mConnection, xcb_query_tree(mConnection, mRoot), nullptr));
  if (!tree) return shown;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        mConnection, xcb_get_window_attributes(mConnection, children[i]), nullptr));
    if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) shown.push_back(children[i]);
  }
  return shown;
}

std::string XServer::Title(xcb_window_t window) const {
  for (const xcb_atom_t property : {Atom("_NET_WM_NAME"), static_cast<xcb_atom_t>(XCB_ATOM_WM_NAME)}) {
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        mConnection, xcb_get_property(mConnection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
    if (reply && xcb_get_property_value_length(reply.get()) > 0) {
      return {static_cast<const char*>(xcb_get_property_value(reply.get())),
              static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
    }
  }
  return {};
}

xcb_window_t XServer::ShowWindow(const QRect& place, std::uint32_t colour) const {
  const xcb_window_t window = xcb_generate_id(mConnection);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(mConnection)).data;
  // Left alone by any window manager, so it stays where it is put.
  const std::uint32_t values[] = {colour, 1};
  xcb_create_window(mConnection, XCB_COPY_FROM_PARENT, window, mRoot, static_cast<std::int16_t>(place.x()),
                    static_cast<std::int16_t>(place.y()), static_cast<std::uint16_t>(place.width()),
                    static_cast<std::uint16_t>(place.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(mConnection, window);
  free(xcb_get_input_focus_reply(mConnection, xcb_get_input_focus(mConnection), nullptr));  // a round trip
  return window;
}

void XServer::CloseWindow(xcb_window_t window) const {
  xcb_destroy_window(mConnection, window);
  free(xcb_get_input_focus_reply(mConnection, xcb_get_input_focus(mConnection), nullptr));
}

RunningProgram::RunningProgram(const XServer& server, const std::string& path,
                               const std::vector<std::pair<std::string, std::string>>& environment)
    : mServer(server) {
  // Everything is made ready before the fork: the child of a process that may
  // run other threads must not allocate.
  std::vector<std::pair<std::string, std::string>> changes = {{"DISPLAY", server.Display()},
                                                              {"QT_QPA_PLATFORM", "xcb"}};
  changes.insert(changes.end(), environment.begin(), environment.end());
  std::vector<std::string> words;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string word = *entry;
    const std::string name = word.substr(0, word.find('='));
    const bool replaced = std::any_of(changes.begin(), changes.end(), [&](const auto& c) { return c.first == name; });
    if (!replaced) words.push_back(word);
  }
  for (std::size_t i = 0; i < changes.size(); ++i) {
    const auto& [name, value] = changes[i];
    const bool overridden =
        std::any_of(changes.begin() + static_cast<std::ptrdiff_t>(i) + 1, changes.end(),
                    [&](const auto& later) { return later.first == name; });
    if (!value.empty() && !overridden) words.push_back(name + "=" + value);
  }
  std::vector<char*> envp = Arguments(words);
  std::vector<char*> argv = Arguments({path});
  mPid = fork();
  if (mPid == 0) {
    CloseInheritedFiles(-1);
    DieWithParent();
    Silence();
    execve(path.c_str(), argv.data(), envp.data());
    _exit(127);
  }
}

RunningProgram::~RunningProgram() { EndChild(mPid); }

int RunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
  int status = 0;
  const bool ended = Eventually([&] { return mPid > 0 && waitpid(mPid, &status, WNOHANG) == mPid; }, timeout);
  if (!ended) return -1;
  mPid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

xcb_window_t RunningProgram::WaitForWindow(const std::string& title, std::chrono::milliseconds timeout) const {
  xcb_window_t found = 0;
  Eventually(
      [&] {
        for (const xcb_window_t window : mServer.ShownWindows()) {
          if (mServer.Title(window) == title) found = window;
        }
        return found != 0;
      },
      timeout);
  return found;
}

std::string ClientOutput(const XServer& server, const std::vector<std::string>& arguments) {
  int out[2];
  if (pipe(out) != 0) return {};
  std::vector<std::string> words = {"env", "DISPLAY=" + server.Display()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = Arguments(words);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    CloseInheritedFiles(-1);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  std::string read;
  char buffer[4096];
  for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;) read.append(buffer, static_cast<std::size_t>(got));
  close(out[0]);
  if (pid > 0) waitpid(pid, nullptr, 0);
  return read;
}

bool RunClient(const XServer& server, const std::vector<std::string>& arguments) {
  std::vector<std::string> words = {"env", "DISPLAY=" + server.Display()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv = Arguments(words);
  const pid_t pid = fork();
  if (pid == 0) {
    CloseInheritedFiles(-1);
    Silence();
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace x11_test
