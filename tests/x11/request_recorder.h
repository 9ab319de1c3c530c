// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <mutex>
#include <thread>
#include <vector>

namespace x11_test {

class XServer;

// Watches the requests of every client that connects after it starts, in
// the order the server carries them out (the RECORD extension): which
// windows were given an icon (_NET_WM_ICON) and which were mapped, and every
// question about where the pointer is (QueryPointer) or which window lies
// under a point (TranslateCoordinates). That order, not a look at the window
// some time later, tells whether a window had its icon at the moment it was
// first mapped.
class RequestRecorder {
 public:
  struct Request {
    enum class Kind { kSetIcon, kMap, kQueryPointer, kTranslateCoordinates } kind;
    xcb_window_t window;  // the window set or mapped, or asked from
  };

  // Throws std::runtime_error when the server cannot record.
  explicit RequestRecorder(const XServer& server);
  ~RequestRecorder();
  RequestRecorder(const RequestRecorder&) = delete;
  RequestRecorder& operator=(const RequestRecorder&) = delete;

  // The requests seen so far, first to last.
  [[nodiscard]] std::vector<Request> Requests() const;

 private:
  void Record();
  void Take(const std::uint8_t* data, std::size_t size);

  xcb_connection_t* mControl = nullptr;
  xcb_connection_t* mData = nullptr;
  std::uint32_t mContext = 0;
  xcb_atom_t mIconAtom = XCB_ATOM_NONE;
  std::thread mThread;
  mutable std::mutex mLock;
  std::vector<Request> mRequests;
  bool mStarted = false;
};

}  // namespace x11_test
