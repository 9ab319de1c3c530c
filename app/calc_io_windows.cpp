// SPDX-License-Identifier: MIT
// zorvane-calc's streams on Windows, through the Win32 handles rather than
// the C runtime's text mode, so that what goes out is exactly what the
// program wrote: lines end in CR LF, as Windows text does. The arguments
// arrive as UTF-16 (wmain, linked with -municode) and so do lines typed at a
// console; both become UTF-8, the program's one encoding, whatever the ANSI
// or console code page. Messages go to a console as UTF-16, so that it shows
// every character they name, and to a pipe or a file as UTF-8 bytes.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "calc_io.h"

namespace {

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

// Bytes that are not UTF-8 (a line piped in from a program in another code
// page) become U+FFFD rather than failing the whole message.
std::wstring Utf16(std::string_view text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

enum class InputKind { Console, Pipe, Other };

HANDLE Input() { return GetStdHandle(STD_INPUT_HANDLE); }

// What standard input is does not change while the program runs.
InputKind KindOfInput() {
  static const InputKind kind = [] {
    const HANDLE input = Input();
    if (IsConsole(input)) return InputKind::Console;
    if (GetFileType(input) == FILE_TYPE_PIPE) return InputKind::Pipe;
    return InputKind::Other;  // a file, NUL, or no input at all
  }();
  return kind;
}

// Text typed at the console, read as UTF-16 and handed on as UTF-8. A Ctrl+Z
// ends the input, as it does for other console programs; what was typed
// before it on its line is still answered.
class ConsoleReader {
 public:
  std::ptrdiff_t Read(char* data, std::size_t size) {
    // Each UTF-16 unit takes at most three bytes of UTF-8.
    const std::size_t capacity = std::min<std::size_t>(size / 3, 16 * 1024);
    if (capacity < 2) return -1;
    while (!mEnded) {
      std::wstring units(capacity, L'\0');
      std::size_t start = 0;
      if (mHighSurrogate != 0) {
        units[0] = mHighSurrogate;
        mHighSurrogate = 0;
        start = 1;
      }
      DWORD got = 0;
      if (!ReadConsoleW(Input(), units.data() + start, static_cast<DWORD>(capacity - start), &got, nullptr)) {
        return -1;
      }
      if (got == 0) return 0;
      units.resize(start + got);
      if (const std::size_t z = units.find(L'\x1a'); z != std::wstring::npos) {
        units.resize(z);
        mEnded = true;
      } else if (IS_HIGH_SURROGATE(units.back())) {
        // Its pair comes with the next read.
        mHighSurrogate = units.back();
        units.pop_back();
      }
      const std::string text = Utf8(units);
      if (!text.empty()) {
        std::memcpy(data, text.data(), text.size());
        return static_cast<std::ptrdiff_t>(text.size());
      }
    }
    return 0;
  }

 private:
  bool mEnded = false;
  wchar_t mHighSurrogate = 0;
};

// The system's own words for an error, without the line end it comes with.
std::string Describe(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD size = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring_view words(text, text != nullptr ? size : 0);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) {
    words.remove_suffix(1);
  }
  std::string out = words.empty() ? "error " + std::to_string(error) : Utf8(words);
  LocalFree(text);
  return out;
}

// Writes all of `bytes` to `handle`; false when it takes no more, with
// `problem` as WriteOutput has it.
bool WriteAll(HANDLE handle, std::string_view bytes, std::string& problem) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) {
      const DWORD error = GetLastError();
      // The pipe's reader has closed its end (ERROR_NO_DATA on Windows; wine
      // reports a closed Unix pipe as not connected).
      if (error != ERROR_NO_DATA && error != ERROR_BROKEN_PIPE && error != ERROR_PIPE_NOT_CONNECTED) {
        problem = Describe(error);
      }
      return false;
    }
    if (written == 0) {
      problem = "nothing was written";
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

namespace calc_io {

const std::string_view kLineEnd = "\r\n";

bool InputWaiting() {
  switch (KindOfInput()) {
    case InputKind::Console:
      // A person types a line at a time: answer everything before each wait.
      return false;
    case InputKind::Pipe: {
      DWORD available = 0;
      if (PeekNamedPipe(Input(), nullptr, 0, nullptr, &available, nullptr)) return available > 0;
      // A pipe whose writer has gone reads its end at once; for anything
      // else, flushing first is the safe guess.
      return GetLastError() == ERROR_BROKEN_PIPE;
    }
    case InputKind::Other:
      return true;
  }
  return false;
}

std::ptrdiff_t ReadInput(char* data, std::size_t size) {
  if (KindOfInput() == InputKind::Console) {
    static ConsoleReader console;
    return console.Read(data, size);
  }
  DWORD got = 0;
  const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (ReadFile(Input(), data, want, &got, nullptr)) return static_cast<std::ptrdiff_t>(got);
  // The usual end of a pipe.
  return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
}

bool WriteOutput(std::string_view text, std::string& problem) {
  return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), text, problem);
}

void WriteError(std::string_view line) {
  std::string text(line);
  text += kLineEnd;
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!IsConsole(error)) {
    std::string ignored;  // nowhere left to report it
    WriteAll(error, text, ignored);
    return;
  }
  const std::wstring units = Utf16(text);
  std::wstring_view left = units;
  while (!left.empty()) {
    DWORD written = 0;
    if (!WriteConsoleW(error, left.data(), static_cast<DWORD>(left.size()), &written, nullptr) || written == 0) {
      return;
    }
    left.remove_prefix(written);
  }
}

}  // namespace calc_io

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Utf8(argv[i]));
  return RunCalc(arguments);
}
