// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace runtime {

// A setting's value as the design file states it: a whole number, a real
// number, or a string kept as its raw (GBK) bytes.
struct DesignValue {
  std::variant<std::int64_t, double, std::string> value;
  int line = 0;
};

// One object of a form design: the form itself, a control, a menu, or a
// property group such as a font. Settings keep their order in the file.
struct DesignNode {
  std::string className;
  std::string name;
  int line = 0;
  std::vector<std::pair<std::string, DesignValue>> settings;
  std::vector<DesignNode> groups;    // BeginProperty <name> ... EndProperty
  std::vector<DesignNode> children;  // Begin <class> <name> ... End
};

// Reads a form design:
//
//   ' comment
//   Begin Form Form1
//      Caption         =   "Zorvane 2.0"
//      ClientWidth     =   4800
//      BeginProperty Font
//         Name            =   "..."
//         Size            =   10.5
//      EndProperty
//      Begin TextBox Text1
//         Index           =   0
//      End
//   End
//
// Values are integers (optionally negative), reals, hexadecimal "&H1F&", or
// strings in double quotes with "" standing for one quote. Anything else is a
// load error naming the file and line. Nesting is limited so that no file can
// exhaust the stack.
DesignNode ParseFormDesign(std::string_view text, std::string_view fileName);

}  // namespace runtime
