// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "runtime/seam/edit_field.h"
#include "runtime/values/font.h"
#include "windows/child_window.h"

namespace win32_frontend {

// A text box's field on the system's EDIT control. Every character the
// user types, and every paste (Ctrl+V, Shift+Insert, the field's context
// menu), goes to the core first, which decides what goes in; the control
// edits as it is told. ES_NOHIDESEL keeps the selection when the keyboard
// leaves the field, so a key of the keypad still replaces it.
class Win32Edit : public Win32Child<runtime::EditField> {
 public:
  Win32Edit(Win32Form& form, runtime::EditFieldEvents& events);

  [[nodiscard]] std::u16string Text() const override;
  void SetText(std::u16string_view text) override;
  [[nodiscard]] int SelectionStart() const override;
  [[nodiscard]] int SelectionLength() const override;
  void Select(int start, int length) override;
  void SetCaret(int position) override { Select(position, 0); }
  void ReplaceSelection(std::u16string_view text) override;
  void Backspace() override;
  [[nodiscard]] int Capacity() const override { return kCapacity; }
  void SetReadOnly(bool readOnly) override;
  [[nodiscard]] bool ReadOnly() const override;
  void SetAlignment(Alignment alignment) override;
  void SetFrame(bool frame) override;
  void SetFont(const runtime::Font& font) override;
  void SetColours(runtime::Colour text, runtime::Colour background) override;
  [[nodiscard]] int TextRoom() const override;
  void Rescale() override;

  ~Win32Edit() override;

 protected:
  void Name(std::u16string_view accessibleName) override;

 private:
  static constexpr int kCapacity = 32767;
  static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Where the selection begins and ends, the lesser first.
  [[nodiscard]] std::pair<DWORD, DWORD> Selection() const;
  void Paste();
  // The field's context menu: the system's own edit commands, with its
  // Paste going through the core like every other.
  void ShowContextMenu(LPARAM where);
  // Makes the control with `style`, carrying over what the old one held.
  void Make(DWORD alignmentStyle);
  // The frame around the line of text: the line in the middle of the height.
  void PadFrame(RECT& client) const;
  void PaintPadding();

  runtime::EditFieldEvents& mEvents;
  WNDPROC mSystemProc = nullptr;
  std::optional<runtime::Font> mFont;
  COLORREF mTextColour = 0;
  COLORREF mBackColour = 0xFFFFFF;
  HBRUSH mBackBrush = nullptr;
  int mLineHeight = 0;  // of the field's font, in pixels
  mutable std::optional<std::u16string> mKnownText;  // the text, until the control reports a change
  std::u16string mName;
};

}  // namespace win32_frontend
