// SPDX-License-Identifier: MIT
#include "request_recorder.h"

#include <xcb/record.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "x_server.h"

namespace x11_test {
namespace {

constexpr std::uint8_t kMapWindow = 8;
constexpr std::uint8_t kChangeProperty = 18;
constexpr std::uint8_t kQueryPointer = 38;
constexpr std::uint8_t kTranslateCoordinates = 40;
constexpr std::uint8_t kFromClient = 1;
constexpr std::uint8_t kStartOfData = 4;
constexpr std::uint8_t kEndOfData = 5;

std::uint32_t Card32(const std::uint8_t* at) {
  std::uint32_t value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

}  // namespace

RequestRecorder::RequestRecorder(const XServer& server) : mIconAtom(server.Atom("_NET_WM_ICON")) {
  mControl = xcb_connect(server.Display().c_str(), nullptr);
  mData = xcb_connect(server.Display().c_str(), nullptr);
  const xcb_query_extension_reply_t* record = xcb_get_extension_data(mControl, &xcb_record_id);
  if (xcb_connection_has_error(mControl) || xcb_connection_has_error(mData) || record == nullptr ||
      !record->present) {
    xcb_disconnect(mControl);
    xcb_disconnect(mData);
    throw std::runtime_error("the X server cannot record requests");
  }
  free(xcb_record_query_version_reply(mControl, xcb_record_query_version(mControl, 1, 13), nullptr));
  mContext = xcb_generate_id(mControl);
  xcb_record_range_t ranges[2]{};
  ranges[0].core_requests.first = kMapWindow;
  ranges[0].core_requests.last = kChangeProperty;
  ranges[1].core_requests.first = kQueryPointer;
  ranges[1].core_requests.last = kTranslateCoordinates;
  const xcb_record_client_spec_t clients = XCB_RECORD_CS_FUTURE_CLIENTS;
  xcb_generic_error_t* error =
      xcb_request_check(mControl, xcb_record_create_context_checked(mControl, mContext, 0, 1, 2, &clients, ranges));
  if (error != nullptr) {
    free(error);
    xcb_disconnect(mControl);
    xcb_disconnect(mData);
    throw std::runtime_error("the X server refused a recording context");
  }
  mThread = std::thread([this] { Record(); });
  // Nothing may connect before the recording has begun.
  Eventually([this] {
    const std::lock_guard<std::mutex> hold(mLock);
    return mStarted;
  });
}

RequestRecorder::~RequestRecorder() {
  // Disabling the context ends the stream of replies the thread reads.
  xcb_record_disable_context(mControl, mContext);
  xcb_flush(mControl);
  mThread.join();
  xcb_record_free_context(mControl, mContext);
  xcb_flush(mControl);
  xcb_disconnect(mData);
  xcb_disconnect(mControl);
}

std::vector<RequestRecorder::Request> RequestRecorder::Requests() const {
  const std::lock_guard<std::mutex> hold(mLock);
  return mRequests;
}

void RequestRecorder::Record() {
  // One request, many replies: each carries what the server intercepted.
  const xcb_record_enable_context_cookie_t cookie = xcb_record_enable_context(mData, mContext);
  xcb_flush(mData);
  while (xcb_record_enable_context_reply_t* reply = xcb_record_enable_context_reply(mData, cookie, nullptr)) {
    const std::uint8_t category = reply->category;
    if (category == kStartOfData) {
      const std::lock_guard<std::mutex> hold(mLock);
      mStarted = true;
    } else if (category == kFromClient) {
      Take(xcb_record_enable_context_data(reply),
           static_cast<std::size_t>(xcb_record_enable_context_data_length(reply)));
    }
    free(reply);
    if (category == kEndOfData) break;
  }
  // A recording that never started must not leave the constructor waiting.
  const std::lock_guard<std::mutex> hold(mLock);
  mStarted = true;
}

void RequestRecorder::Take(const std::uint8_t* data, std::size_t size) {
  // The intercepted requests follow one another, each as its client sent it.
  std::size_t at = 0;
  while (at + 4 <= size) {
    const std::uint8_t* request = data + at;
    std::uint16_t units = 0;
    std::memcpy(&units, request + 2, sizeof units);
    std::size_t length = units * 4u;
    std::size_t header = 4;  // opcode, a byte, the length
    if (units == 0) {        // a big request: the length follows in 32 bits
      if (at + 8 > size) break;
      length = Card32(request + 4) * 4u;
      header = 8;
    }
    if (length < header + 4 || at + length > size) break;
    const std::uint8_t* fields = request + header;
    const std::lock_guard<std::mutex> hold(mLock);
    if (request[0] == kMapWindow) {
      mRequests.push_back({Request::Kind::kMap, Card32(fields)});
    } else if (request[0] == kChangeProperty && length >= header + 8 && Card32(fields + 4) == mIconAtom) {
      mRequests.push_back({Request::Kind::kSetIcon, Card32(fields)});
    } else if (request[0] == kQueryPointer) {
      mRequests.push_back({Request::Kind::kQueryPointer, Card32(fields)});
    } else if (request[0] == kTranslateCoordinates) {
      mRequests.push_back({Request::Kind::kTranslateCoordinates, Card32(fields)});
    }
    at += length;
  }
}

}  // namespace x11_test
