// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/controls/control.h"
#include "runtime/event.h"
#include "runtime/seam/edit_field.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"

namespace runtime {

class DesignReader;
class FormWindow;

// The runtime's text box on a window system's single-line field. Writing
// Text or SelText raises Change inside the write, and only when the text
// really changed; MaxLength limits the user, never code; every typed
// character passes KeyPress first, where the handler may refuse it by
// setting it to 0. What the user pastes is held to the limit and to the
// first line, and never splits a character in two.
class TextBox : public Control, private EditFieldEvents {
 public:
  TextBox(FormWindow& form, DesignReader& design);
  ~TextBox() override;

  [[nodiscard]] std::u16string Text() const;
  void SetText(const std::u16string& text);
  [[nodiscard]] std::u16string SelText() const;
  void SetSelText(const std::u16string& text);
  [[nodiscard]] std::int32_t SelStart() const;
  void SetSelStart(std::int32_t start);
  [[nodiscard]] std::int32_t SelLength() const;
  void SetSelLength(std::int32_t length);

  [[nodiscard]] std::int32_t MaxLength() const { return mMaxLength; }
  void SetMaxLength(std::int32_t length);
  [[nodiscard]] bool Locked() const;
  void SetLocked(bool locked);

  [[nodiscard]] Colour ForeColor() const { return mForeColor; }
  void SetForeColor(Colour colour);
  [[nodiscard]] const FontRef& GetFont() const { return mFont; }
  void SetFont(FontRef font);

  // The pixels of text the box shows at once.
  [[nodiscard]] int TextRoom() const;

  [[nodiscard]] EditField& Field() const { return *mField; }

  Event<std::int16_t&> KeyPress;  // KeyAscii
  Event<> Change;

 private:
  // What the field tells of the user's doing.
  void TextMayHaveChanged() override;
  Typing Typed(char16_t character) override;
  void Pasted(std::u16string text) override;

  // Text the user typed or pasted, put in place of the selection: nothing in
  // a locked box, the first line only, whole characters, and no more than
  // the limit leaves room for.
  void InsertFromUser(std::u16string text);
  void PutCaretAtStart();

  std::unique_ptr<EditField> mField;
  std::int32_t mMaxLength = 0;
  Colour mForeColor = kSystemWindowText;
  Colour mBackColor = kSystemWindowBackground;
  FontRef mFont;
  std::u16string mKnownText;  // the text the last Change was raised for
  bool mCaretToStartPending = false;  // a write of Text is under way
};

}  // namespace runtime
