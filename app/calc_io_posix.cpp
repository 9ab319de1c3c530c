// SPDX-License-Identifier: MIT
// zorvane-calc's streams on Linux and other POSIX systems: plain reads and
// writes on the three file descriptors, bytes as they are.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "calc_io.h"

namespace calc_io {

const std::string_view kLineEnd = "\n";

bool InputWaiting() {
  // A file always polls ready; so does a pipe whose writer has gone.
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

std::ptrdiff_t ReadInput(char* data, std::size_t size) {
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, data, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool WriteOutput(std::string_view text, std::string& problem) {
  while (!text.empty()) {
    const ssize_t written = write(STDOUT_FILENO, text.data(), text.size());
    if (written > 0) {
      text.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno != EINTR) {
      // EPIPE arrives only where SIGPIPE is ignored; otherwise the signal
      // ends the program quietly, as it does any filter.
      if (errno != EPIPE) problem = std::strerror(errno);
      return false;
    }
  }
  return true;
}

void WriteError(std::string_view line) {
  // One write, so that a message is never split by another writer's.
  std::string text(line);
  text += kLineEnd;
  std::string_view left = text;
  while (!left.empty()) {
    const ssize_t written = write(STDERR_FILENO, left.data(), left.size());
    if (written > 0) {
      left.remove_prefix(static_cast<std::size_t>(written));
    } else if (written < 0 && errno != EINTR) {
      return;
    }
  }
}

}  // namespace calc_io

int main(int argc, char** argv) { return RunCalc(std::vector<std::string>(argv + 1, argv + argc)); }
