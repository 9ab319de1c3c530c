// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "image_button/ibutton.h"
#include "runtime/controls/control_array.h"
#include "runtime/controls/text_box.h"
#include "runtime/forms/form.h"

namespace runtime {
class Timer;
}

namespace main_window {

class Project;

// The main window's controller. It keeps no data: all state lives in the
// controls, and every value shown is derived from the input field.
//
// How a size becomes two shown values:
//   key typed in a field ── Text1_KeyPress lets digits and backspace in
//   keypad Click ────────── Text1(0).SelText = digit (while under 6 chars)
//   clear Click ─────────── all three Text = ""
//        │ every write or edit of a field raises Change inside it
//        ▼
//   Text1_Change ── Fat32SizeText ─▶ Text1(1)   (each step on its own: a
//                └─ NtfsSizeText ──▶ Text1(2)    failed size keeps the old
//                └─ caret to the end of Text1(0) text)
//   Timer1 (10 ms) ── colour of Text1(1) (red above 32) and the copy items'
//                     Enabled, from Text1(0) alone
class Form1 : public runtime::Form {
 public:
  explicit Form1(Project& project);

  // The controls as the design names them.
  runtime::ControlArray<runtime::TextBox> Text1;
  runtime::Timer& Timer1;
  image_button::iButton& iButton13;  // copy menu, which opens below it

 private:
  void Form_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y);
  void iButton1_Click();   // close
  void iButton2_Click();   // minimise
  void iButton3_Click();   // the keypad's 1
  void iButton4_Click();   // 6
  void iButton5_Click();   // 5
  void iButton6_Click();   // 4
  void iButton7_Click();   // 3
  void iButton8_Click();   // 2
  void iButton9_Click();   // 7
  void iButton10_Click();  // 8
  void iButton11_Click();  // 9
  void iButton12_Click();  // 0, never as a size's first digit
  void iButton13_Click();  // the copy menu
  void iButton14_Click();  // clear
  void InsertDigit(char digit);
  void Text1_KeyPress(std::int16_t Index, std::int16_t& KeyAscii);
  void Text1_Change(std::int16_t Index);
  void Timer1_Timer();

  Project& mProject;
};

}  // namespace main_window
