// SPDX-License-Identifier: MIT
#include "main_window/form1.h"

#include <cmath>
#include <string>

#include "calc/size_formulas.h"
#include "main_window/designs.h"
#include "main_window/field_text.h"
#include "main_window/form2.h"
#include "main_window/project.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/dispatch.h"
#include "runtime/seam/input.h"
#include "runtime/runtime_error.h"
#include "runtime/values/text.h"
#include "runtime/win32/win32.h"

namespace main_window {
namespace {

constexpr std::size_t MaxInputDigits = 6;
constexpr runtime::Colour kOverLimitColour = 255;
constexpr runtime::Colour kNormalColour = runtime::kSystemWindowText;
// Moving as from the title bar: the window follows the pointer at once.
constexpr std::int32_t kMoveByDragging = runtime::win32::SC_MOVE | runtime::win32::HTCAPTION;
static_assert(kMoveByDragging == 0xF012);

// A size's text, or the run-time error its failure stands for.
std::u16string SizeText(const calc::Result<std::string>& size) {
  if (!size.Ok()) runtime::Raise(static_cast<int>(size.Error()));
  return runtime::FromAscii(size.Value());
}

}  // namespace

Form1::Form1(Project& project)
    : runtime::Form(project.Form1Design(), project.Classes(), LoadDesignFile),
      Text1(ArrayNamed<runtime::TextBox>("Text1")),
      Timer1(TimerNamed("Timer1")),
      iButton13(ControlNamed<image_button::iButton>("iButton13")),
      mProject(project) {
  MouseDown.Handle([this](std::int16_t& button, std::int16_t& shift, float& x, float& y) {
    Form_MouseDown(button, shift, x, y);
  });
  // Each button's Click goes to the handler named after it.
  const struct {
    const char* name;
    void (Form1::*handler)();
  } buttons[] = {
      {"iButton1", &Form1::iButton1_Click},   {"iButton2", &Form1::iButton2_Click},
      {"iButton3", &Form1::iButton3_Click},   {"iButton4", &Form1::iButton4_Click},
      {"iButton5", &Form1::iButton5_Click},   {"iButton6", &Form1::iButton6_Click},
      {"iButton7", &Form1::iButton7_Click},   {"iButton8", &Form1::iButton8_Click},
      {"iButton9", &Form1::iButton9_Click},   {"iButton10", &Form1::iButton10_Click},
      {"iButton11", &Form1::iButton11_Click}, {"iButton12", &Form1::iButton12_Click},
      {"iButton13", &Form1::iButton13_Click}, {"iButton14", &Form1::iButton14_Click},
  };
  for (const auto& button : buttons) {
    ControlNamed<image_button::iButton>(button.name).Click.Handle(
        [this, handler = button.handler] { (this->*handler)(); });
  }

  for (runtime::TextBox* field : Text1) {
    const std::int16_t index = field->Index();
    field->KeyPress.Handle([this, index](std::int16_t& keyAscii) { Text1_KeyPress(index, keyAscii); });
    field->Change.Handle([this, index] { Text1_Change(index); });
  }
  Timer1.Tick.Handle([this] { Timer1_Timer(); });
}

void Form1::Form_MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                           float& /*Y*/) {
  runtime::win32::ReleaseCapture();
  runtime::win32::SendMessageA(hWnd(), runtime::win32::WM_SYSCOMMAND, kMoveByDragging, 0);
}

void Form1::iButton1_Click() { runtime::End(); }

void Form1::iButton2_Click() { SetWindowState(kMinimized); }

// Each key of the keypad inserts the digit it was made for.
void Form1::iButton3_Click() { InsertDigit('1'); }
void Form1::iButton4_Click() { InsertDigit('6'); }
void Form1::iButton5_Click() { InsertDigit('5'); }
void Form1::iButton6_Click() { InsertDigit('4'); }
void Form1::iButton7_Click() { InsertDigit('3'); }
void Form1::iButton8_Click() { InsertDigit('2'); }
void Form1::iButton9_Click() { InsertDigit('7'); }
void Form1::iButton10_Click() { InsertDigit('8'); }
void Form1::iButton11_Click() { InsertDigit('9'); }

void Form1::iButton12_Click() {
  // A size never starts with the keypad's 0.
  if (Text1(0).Text().empty()) return;
  InsertDigit('0');
}

void Form1::InsertDigit(char digit) {
  if (Text1(0).Text().size() < MaxInputDigits) Text1(0).SetSelText(std::u16string(1, static_cast<char16_t>(digit)));
}

void Form1::iButton13_Click() {
  runtime::Menu& s = mProject.Form2().s;
  const float X = iButton13.Left();
  const float Y = iButton13.Top() + iButton13.Height();
  if (!std::isfinite(Y)) runtime::Raise(runtime::kOverflow);
  PopupMenu(s, X, Y);
}

void Form1::iButton14_Click() {
  Text1(0).SetText(u"");
  Text1(1).SetText(u"");
  Text1(2).SetText(u"");
}

void Form1::Text1_KeyPress(std::int16_t /*Index*/, std::int16_t& KeyAscii) {
  const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
  if (KeyAscii != runtime::kBackspaceAscii && !digit) KeyAscii = 0;
}

void Form1::Text1_Change(std::int16_t /*Index*/) {
  // Each statement stands alone: an input that is not a number leaves the
  // outputs as they were and still puts the caret at the end.
  std::u16string t;
  runtime::ResumeNext([&] { t = Text1(0).Text(); });
  runtime::ResumeNext([&] { Text1(1).SetText(SizeText(calc::Fat32SizeText(FieldText(t).View()))); });
  runtime::ResumeNext([&] { Text1(2).SetText(SizeText(calc::NtfsSizeText(FieldText(t).View()))); });
  runtime::ResumeNext(
      [&] { Text1(0).SetSelStart(static_cast<std::int32_t>(Text1(0).Text().size())); });
}

void Form1::Timer1_Timer() {
  if (calc::ExceedsFat32Limit(FieldText(Text1(0).Text()).View())) {
    Text1(1).SetForeColor(kOverLimitColour);
  } else {
    Text1(1).SetForeColor(kNormalColour);
  }
  main_window::Form2& menuForm = mProject.Form2();
  const bool typed = !Text1(0).Text().empty();
  menuForm.a.SetEnabled(typed);
  menuForm.b.SetEnabled(typed);
  menuForm.c.SetEnabled(typed);
}

}  // namespace main_window
