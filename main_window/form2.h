// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/forms/form.h"

namespace runtime {
class Menu;
}

namespace main_window {

class Project;

// The hidden form that owns the copy menu. Each item copies one field of the
// main window to the clipboard, exactly as the field shows it.
class Form2 : public runtime::Form {
 public:
  explicit Form2(Project& project);

  runtime::Menu& s;  // the popup itself
  runtime::Menu& a;  // the size in whole gigabytes, as typed
  runtime::Menu& b;  // the FAT32 size
  runtime::Menu& c;  // the NTFS size

 private:
  void a_Click();
  void b_Click();
  void c_Click();
  void CopyField(int index);

  Project& mProject;
};

}  // namespace main_window
