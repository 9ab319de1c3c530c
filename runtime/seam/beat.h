// SPDX-License-Identifier: MIT
#pragma once

namespace runtime {

// A window system's timer: calls its function every interval, from the
// event loop, while started. The runtime's timers (their rules, and several
// sharing one beat) are built on it.
class Beat {
 public:
  virtual ~Beat() = default;

  // Starts, or starts counting afresh, every `milliseconds` (at least 1).
  virtual void Start(int milliseconds) = 0;
  virtual void Stop() = 0;
  [[nodiscard]] virtual bool Active() const = 0;
  [[nodiscard]] virtual int Interval() const = 0;

 protected:
  Beat() = default;
  Beat(const Beat&) = delete;
  Beat& operator=(const Beat&) = delete;
};

}  // namespace runtime
