// SPDX-License-Identifier: MIT
#include "main_window/form2.h"

#include "main_window/designs.h"
#include "main_window/form1.h"
#include "main_window/project.h"
#include "runtime/controls/clipboard.h"
#include "runtime/controls/menu.h"

namespace main_window {

Form2::Form2(Project& project)
    : runtime::Form(LoadDesign("form2.frm"), project.Classes(), LoadDesignFile),
      s(MenuNamed("s")),
      a(MenuNamed("a")),
      b(MenuNamed("b")),
      c(MenuNamed("c")),
      mProject(project) {
  a.Click.Handle([this] { a_Click(); });
  b.Click.Handle([this] { b_Click(); });
  c.Click.Handle([this] { c_Click(); });
}

void Form2::a_Click() { CopyField(0); }
void Form2::b_Click() { CopyField(1); }
void Form2::c_Click() { CopyField(2); }

void Form2::CopyField(int index) {
  // Emptied first: if reading the field fails, the clipboard holds nothing
  // rather than an older value that could be mistaken for this one.
  runtime::Clipboard().Clear();
  runtime::Clipboard().SetText(mProject.Form1().Text1(index).Text());
}

}  // namespace main_window
