// SPDX-License-Identifier: MIT
// Starts a program and reports how long its first window took to be mapped
// and painted, watching the X server: every new top-level window gets a
// damage record before it can draw, and the first damage to a mapped one is
// the first paint. Prints "<pid> <milliseconds>" and leaves the program
// running for whoever measures it next.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_probe program [arguments]\n");
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

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    // The program outlives the probe; it must not hold the probe's output.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  std::set<xcb_window_t> mapped;
  while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
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
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("%d %.1f\n", static_cast<int>(pid), ms);
        std::fflush(stdout);
        free(event);
        xcb_disconnect(connection);
        return 0;
      }
      xcb_damage_subtract(connection, notify->damage, XCB_NONE, XCB_NONE);
      xcb_flush(connection);
    }
    free(event);
  }
  return 1;
}
