// SPDX-License-Identifier: MIT
#pragma once

// What zorvane-calc needs from the system it runs on: its arguments, its
// standard streams and the way its lines end. zorvane_calc.cpp does the rest
// the same everywhere; calc_io_posix.cpp and calc_io_windows.cpp each hold
// the program's entry point and these few calls for one system.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calc_io {

// How every line the program writes ends: "\n" on POSIX systems, "\r\n" on
// Windows, as each system's text has it.
extern const std::string_view kLineEnd;

// True when reading standard input now would not wait: data is there, the
// input has ended, or it is a file. False means the program may block, so it
// first hands over what it has to say.
bool InputWaiting();

// Reads up to `size` bytes of standard input into `data`: the count read,
// 0 at the end of the input, -1 on an error. Text typed at a Windows console
// arrives as UTF-8 too.
std::ptrdiff_t ReadInput(char* data, std::size_t size);

// Writes all of `text` to standard output. False when it could not: then
// `problem` says why in a few words, or stays empty when the reader has gone
// (a closed pipe), which is no news to whoever closed it.
bool WriteOutput(std::string_view text, std::string& problem);

// Writes one line of UTF-8 text, and the line end, to standard error so that
// a person reading it sees the characters it names.
void WriteError(std::string_view line);

}  // namespace calc_io

// The program itself, given its arguments after the program name, as UTF-8;
// returns the exit status.
int RunCalc(const std::vector<std::string>& arguments);
