// SPDX-License-Identifier: MIT
// zorvane-calc.exe behind Windows' own anonymous pipes, as another Windows
// program runs it. Under wine a Unix pipe handed to a program does not
// answer PeekNamedPipe, so only pipes made on the Windows side reach the
// companion's check for input that is already waiting.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr DWORD kPatienceMs = 20000;

// The companion is built beside this test.
std::wstring CalcPath() {
  wchar_t self[MAX_PATH];
  const DWORD size = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, size);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + L"zorvane-calc.exe";
}

// The companion with a pipe on its standard input and one on its standard
// output and error.
class Companion {
 public:
  Companion() {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE childIn = nullptr;
    HANDLE childOut = nullptr;
    if (!CreatePipe(&childIn, &mIn, &inherited, 0) || !CreatePipe(&mOut, &childOut, &inherited, 0)) return;
    SetHandleInformation(mIn, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(mOut, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = childIn;
    start.hStdOutput = childOut;
    start.hStdError = childOut;
    std::wstring command = L"\"" + CalcPath() + L"\"";
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
      mProcess = process.hProcess;
      CloseHandle(process.hThread);
    }
    CloseHandle(childIn);
    CloseHandle(childOut);
  }

  ~Companion() {
    CloseInput();
    CloseOutput();
    if (mProcess == nullptr) return;
    if (WaitForSingleObject(mProcess, 0) == WAIT_TIMEOUT) TerminateProcess(mProcess, 99);
    CloseHandle(mProcess);
  }

  bool Started() const { return mProcess != nullptr; }

  bool Write(std::string_view text) {
    DWORD written = 0;
    return WriteFile(mIn, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  }

  // What the companion writes until it has ended a line, or "(no answer)"
  // with what came when it has not within the patience.
  std::string ReadLine() {
    std::string seen;
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    while (seen.size() < 2 || seen.compare(seen.size() - 2, 2, "\r\n") != 0) {
      DWORD available = 0;
      if (!PeekNamedPipe(mOut, nullptr, 0, nullptr, &available, nullptr)) return "(ended) " + seen;
      if (available == 0) {
        if (GetTickCount64() > deadline) return "(no answer) " + seen;
        Sleep(5);
        continue;
      }
      char c = 0;
      DWORD got = 0;
      if (!ReadFile(mOut, &c, 1, &got, nullptr) || got == 0) return "(ended) " + seen;
      seen += c;
    }
    return seen;
  }

  void CloseInput() { Close(mIn); }
  void CloseOutput() { Close(mOut); }

  // The exit status, or -1 while it is still running after the patience.
  long ExitCode() {
    DWORD code = 0;
    if (WaitForSingleObject(mProcess, kPatienceMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(mProcess, &code)) return -1;
    return static_cast<long>(code);
  }

 private:
  static void Close(HANDLE& handle) {
    if (handle != nullptr) CloseHandle(handle);
    handle = nullptr;
  }

  HANDLE mIn = nullptr;
  HANDLE mOut = nullptr;
  HANDLE mProcess = nullptr;
};

struct Exchange {
  const char* sent;
  const char* answer;
};

// Each answer must come while the pipe is still open: a companion that waited
// for more input before writing what it has would never answer.
const Exchange kExchanges[] = {
    {"100\n", "100\t102796\t102407\r\n"},
    {"\r\n5\r\n", "5\t5136\t5123\r\n"},
    {"abc\n", "zorvane-calc: 'abc' is not a size in gigabytes\r\n"},
    {"4294970170\n", "zorvane-calc: '4294970170' is too large to size a partition exactly (4294970169 GB at most)\r\n"},
    {"7", ""},  // no line end yet: nothing to answer
    {"\n", "7\t7192\t7170\r\n"},
};

TEST(CompanionPipes, EachLineIsAnsweredAsItArrives) {
  Companion calc;
  ASSERT_TRUE(calc.Started());
  for (const Exchange& exchange : kExchanges) {
    SCOPED_TRACE(exchange.sent);
    ASSERT_TRUE(calc.Write(exchange.sent));
    if (*exchange.answer != '\0') {
      EXPECT_EQ(calc.ReadLine(), exchange.answer);
    }
  }
  calc.CloseInput();
  EXPECT_EQ(calc.ExitCode(), 2);  // two sizes were refused
}

// A reader that closes its end ends the companion at its next answer, even
// with its input still open, and not as a success.
TEST(CompanionPipes, AReaderThatLeavesEndsIt) {
  Companion calc;
  ASSERT_TRUE(calc.Started());
  ASSERT_TRUE(calc.Write("1\n"));
  EXPECT_EQ(calc.ReadLine(), "1\t1024\t1028\r\n");
  calc.CloseOutput();
  ASSERT_TRUE(calc.Write("2\n"));
  EXPECT_EQ(calc.ExitCode(), 1);
}

}  // namespace
