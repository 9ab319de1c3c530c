// SPDX-License-Identifier: MIT
// zorvane-calc: the window's two sizes for scripts and for sizing many
// partitions at once. One line per size: the size, the FAT32 value and the
// NTFS value, separated by tabs.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversions.h"
#include "calc/size_formulas.h"

namespace {

constexpr const char* kHelp =
    "Usage: zorvane-calc [SIZE...]\n"
    "\n"
    "For each SIZE in whole gigabytes, or for each line of standard input when no SIZE is\n"
    "given (answered as soon as the line arrives), prints the size, the FAT32 partition size\n"
    "and the NTFS partition size in megabytes, separated by single tabs: the values to give a\n"
    "partitioning tool so that the partition later shows as exactly SIZE GB. The FAT32 size\n"
    "is (SIZE - 1) x 4 + SIZE x 1024; the NTFS size rounds SIZE x 1024 up to whole disk\n"
    "cylinders of 7.84423828125 MB (255 heads x 63 sectors x 512 bytes): K = floor(SIZE x\n"
    "1024 / 7.84423828125) + 1 cylinders, then floor(K x 7.84423828125) + 1. MB means MiB,\n"
    "1,048,576 bytes. A SIZE that is not a whole number from 1 up (0, a negative number, a\n"
    "fraction, a word) or is above 4294970169, where the arithmetic stops being exact, is\n"
    "reported on standard error, the other sizes are still answered, and the exit status is\n"
    "2. Empty input lines are skipped.\n"
    "\n"
    "Example:\n"
    "  $ zorvane-calc 32 100\n"
    "  32\t32892\t32774\n"
    "  100\t102796\t102407\n";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// A partition has at least one whole gigabyte. The window keeps showing the
// formulas' values for 0, but a script asking for 0, -5 or 1.5 made a mistake
// and should hear so rather than get a negative or fractional size. Words are
// left to the formulas' own failures.
bool IsBelowOneOrFraction(std::string_view size, const calc::Result<double>& n) {
  if (!n.Ok()) return n.Error() == calc::Failure::Overflow && size.front() == '-';
  return n.Value() < 1 || n.Value() != calc::Fix(n.Value());
}

// Above the largest exact size the formulas' doubles answer one MB off or in
// the exponent form, neither of which is a size to give a partitioning tool.
bool IsTooLarge(const calc::Result<double>& n) {
  return n.Ok() ? n.Value() > calc::LargestExactSizeGb : n.Error() == calc::Failure::Overflow;
}
static_assert(calc::LargestExactSizeGb == 4294970169, "the help and the refusal name the largest size");

// Standard output, kept in memory and written in blocks: when a block is
// full, before anything goes to standard error (so that the two keep their
// order), and before the program waits for more input, so that a person
// typing sizes sees each answer at once while a pipe of many sizes costs
// one write per block rather than one per line.
class Output {
 public:
  void Append(std::string_view text) {
    mBuffer.append(text);
    if (mBuffer.size() >= kBlock) Flush();
  }

  // False once standard output can take no more (a closed pipe).
  bool Flush() {
    std::string_view left = mBuffer;
    while (!left.empty() && mOpen) {
      const ssize_t written = write(STDOUT_FILENO, left.data(), left.size());
      if (written > 0) {
        left.remove_prefix(static_cast<std::size_t>(written));
      } else if (written < 0 && errno != EINTR) {
        mOpen = false;
      }
    }
    mBuffer.clear();
    return mOpen;
  }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  std::string mBuffer;
  bool mOpen = true;
};

Output gOutput;

void Refuse(std::string_view size, const char* why) {
  gOutput.Flush();
  std::fprintf(stderr, "zorvane-calc: '%.*s' %s\n", static_cast<int>(size.size()), size.data(), why);
}

// Answers one size; false when it is not one.
bool Answer(std::string_view given) {
  const std::string_view size = Trimmed(given);
  const calc::Result<double> n = calc::TextToNumber(size);
  if (IsBelowOneOrFraction(size, n)) {
    Refuse(size, "is not a whole number of gigabytes from 1 up");
    return false;
  }
  if (IsTooLarge(n)) {
    Refuse(size, "is too large to size a partition exactly (4294970169 GB at most)");
    return false;
  }
  const auto fat32 = calc::Fat32SizeText(size);
  const auto ntfs = calc::NtfsSizeText(size);
  if (!fat32.Ok() || !ntfs.Ok()) {
    Refuse(size, "is not a size in gigabytes");
    return false;
  }
  gOutput.Append(size);
  gOutput.Append("\t");
  gOutput.Append(fat32.Value());
  gOutput.Append("\t");
  gOutput.Append(ntfs.Value());
  gOutput.Append("\n");
  return true;
}

// True when standard input has something to read without waiting (or is a
// file, which never makes a reader wait).
bool InputWaiting() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

// Answers every non-empty line of standard input, the last one also without
// its line feed; false when any was not a size.
bool AnswerLines() {
  bool allAnswered = true;
  std::string pending;  // the start of a line whose end has not come yet
  std::vector<char> block(64 * 1024);
  for (;;) {
    if (!InputWaiting() && !gOutput.Flush()) break;
    const ssize_t got = read(STDIN_FILENO, block.data(), block.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    std::string_view data(block.data(), static_cast<std::size_t>(got));
    for (std::size_t end = data.find('\n'); end != std::string_view::npos; end = data.find('\n')) {
      std::string_view line = data.substr(0, end);
      if (!pending.empty()) {
        pending.append(line);
        line = pending;
      }
      if (!Trimmed(line).empty()) allAnswered = Answer(line) && allAnswered;
      pending.clear();
      data.remove_prefix(end + 1);
    }
    pending.append(data);
  }
  if (!Trimmed(pending).empty()) allAnswered = Answer(pending) && allAnswered;
  gOutput.Flush();
  return allAnswered;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> sizes;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && arg.size() > 2 && arg.substr(0, 2) == "--") {
      std::fprintf(stderr, "zorvane-calc: unknown option '%s' (see --help)\n", argv[i]);
      return 2;
    }
    sizes.push_back(arg);
  }

  if (sizes.empty()) return AnswerLines() ? 0 : 2;
  bool allAnswered = true;
  for (const std::string_view size : sizes) allAnswered = Answer(size) && allAnswered;
  gOutput.Flush();
  return allAnswered ? 0 : 2;
}
