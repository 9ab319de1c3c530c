// SPDX-License-Identifier: MIT
// Starts a program and reports how long its first window took to be mapped
// and painted, watching the X server: every new top-level window gets a
// damage record before it can draw, and the first damage to a mapped one is
// the first paint. Prints "<pid> <milliseconds>" and leaves the program
// running for whoever measures it next.
//
// With --settle MS the frame is taken to be painted only once the program's
// windows have had no damage for MS milliseconds, and the time printed is
// that of the last damage before the quiet: wine pushes a window's pixels to
// the X server whenever the program waits for anything, so its first damage
// can be a background erased before the program has painted anything.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The next event, or none once `until` has passed without one.
xcb_generic_event_t* EventBefore(xcb_connection_t* connection, Clock::time_point until) {
  while (true) {
    if (xcb_generic_event_t* event = xcb_poll_for_event(connection)) return event;
    if (xcb_connection_has_error(connection)) return nullptr;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) return nullptr;
    pollfd ready{xcb_get_file_descriptor(connection), POLLIN, 0};
    poll(&ready, 1, static_cast<int>(left));
  }
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  int settleMs = 0;
  if (argc > 2 && std::string(argv[1]) == "--settle") {
    settleMs = std::atoi(argv[2]);
    first = 3;
  }
  if (argc <= first || settleMs < 0) {
    std::fprintf(stderr, "usage: startup_probe [--settle MS] program [arguments]\n");
    return 2;
  }
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "no X server\n");
    return 2;
  }
  const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
  if (damage == nullptr || !damage->present) {
    std::fprintf(stderr, "the X server has no DAMAGE extension\n");
    return 2;
  }
  free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // The program outlives the probe; it must not hold the probe's output.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execvp(argv[first], argv + first);
    _exit(127);
  }
  std::set<xcb_window_t> mapped;
  // The last damage to a mapped window, once there has been one.
  double paintedMs = -1;
  auto quietUntil = Clock::now();
  while (true) {
    xcb_generic_event_t* event =
        paintedMs < 0 ? xcb_wait_for_event(connection) : EventBefore(connection, quietUntil);
    if (event == nullptr) break;
    const std::uint8_t type = event->response_type & 0x7F;
    if (type == XCB_CREATE_NOTIFY) {
      const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
      if (created->parent == root) {
        xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                          XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(connection);
      }
    } else if (type == XCB_MAP_NOTIFY) {
      mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
    } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
      const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
      if (mapped.count(notify->drawable) != 0) {
        paintedMs = MillisecondsSince(start);
        quietUntil = Clock::now() + std::chrono::milliseconds(settleMs);
        if (settleMs == 0) {
          free(event);
          break;
        }
      }
      // Emptied, the damage is reported again when the window is next drawn.
      xcb_damage_subtract(connection, notify->damage, XCB_NONE, XCB_NONE);
      xcb_flush(connection);
    }
    free(event);
  }
  if (paintedMs < 0) return 1;
  std::printf("%d %.1f\n", static_cast<int>(pid), paintedMs);
  std::fflush(stdout);
  xcb_disconnect(connection);
  return 0;
}
