// SPDX-License-Identifier: MIT
// zorvane-calc: the window's two sizes for scripts and for sizing many
// partitions at once. One line per size: the size, the FAT32 value and the
// NTFS value, separated by tabs. What differs between systems (arguments,
// the standard streams, line ends) is in calc_io_<system>.cpp.
#include <string>
#include <string_view>
#include <vector>

#include "calc/conversions.h"
#include "calc/size_formulas.h"
#include "calc_io.h"

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
    "2; when the answers cannot be written (a full disk) it is 1. Empty input lines are\n"
    "skipped. Lines end in CR LF on Windows and in LF elsewhere; input lines may end in\n"
    "either.\n"
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

  // Appends text whose lines end in "\n" with the system's line ends.
  void AppendLines(std::string_view text) {
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
      Append(text.substr(0, end));
      Append(calc_io::kLineEnd);
      text.remove_prefix(end + 1);
    }
    Append(text);
  }

  // False once standard output can take no more (a closed pipe, a full disk).
  bool Flush() {
    if (mOpen && !mBuffer.empty()) mOpen = calc_io::WriteOutput(mBuffer, mProblem);
    mBuffer.clear();
    return mOpen;
  }

  bool Open() const { return mOpen; }

  // Why standard output took no more, unless its reader simply went away.
  const std::string& Problem() const { return mProblem; }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  std::string mBuffer;
  bool mOpen = true;
  std::string mProblem;
};

Output gOutput;

// Answers that never reached their reader are a failure, whatever the sizes
// were: status 1, and said on standard error unless the reader closed the
// pipe itself. Otherwise 2 when a size was refused, and 0.
int ExitStatus(bool allAnswered) {
  if (!gOutput.Flush()) {
    if (!gOutput.Problem().empty()) calc_io::WriteError("zorvane-calc: cannot write the answers: " + gOutput.Problem());
    return 1;
  }
  return allAnswered ? 0 : 2;
}

void Refuse(std::string_view size, std::string_view why) {
  gOutput.Flush();
  std::string message = "zorvane-calc: '";
  message += size;
  message += "' ";
  message += why;
  calc_io::WriteError(message);
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
  gOutput.Append(calc_io::kLineEnd);
  return true;
}

// Answers every non-empty line of standard input, the last one also without
// its line feed; false when any was not a size.
bool AnswerLines() {
  bool allAnswered = true;
  std::string pending;  // the start of a line whose end has not come yet
  std::vector<char> block(64 * 1024);
  for (;;) {
    // Once the answers have nowhere to go, reading on is wasted (and
    // endless on an endless pipe).
    if (!gOutput.Open() || (!calc_io::InputWaiting() && !gOutput.Flush())) break;
    const std::ptrdiff_t got = calc_io::ReadInput(block.data(), block.size());
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
  return allAnswered;
}

}  // namespace

int RunCalc(const std::vector<std::string>& arguments) {
  std::vector<std::string_view> sizes;
  bool optionsEnded = false;
  for (const std::string_view arg : arguments) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      gOutput.AppendLines(kHelp);
      return ExitStatus(true);
    }
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && arg.size() > 2 && arg.substr(0, 2) == "--") {
      calc_io::WriteError("zorvane-calc: unknown option '" + std::string(arg) + "' (see --help)");
      return 2;
    }
    sizes.push_back(arg);
  }

  if (sizes.empty()) return ExitStatus(AnswerLines());
  bool allAnswered = true;
  for (const std::string_view size : sizes) allAnswered = Answer(size) && allAnswered;
  return ExitStatus(allAnswered);
}
