// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/seam/child_window.h"
#include "runtime/values/colour.h"

namespace runtime {

struct Font;

// What an edit field tells the core. The core decides what the user's
// typing and pasting does (its key filter, its length limit, a single line,
// whole characters only); the field does the editing it is told to.
class EditFieldEvents {
 public:
  // What the field does with a typed character after the core has seen it.
  enum class Typing {
    kHandled,     // the core did what was needed, or nothing should happen
    kDefault,     // the field does what the key does by itself (a shortcut)
    kStop,        // the program ended: nothing more may happen
  };

  // The text may have changed, by the user or by a write: the core tells.
  virtual void TextMayHaveChanged() = 0;
  // A character the user typed, from the keyboard or an input method,
  // before the field has done anything with it.
  virtual Typing Typed(char16_t character) = 0;
  // The user pastes `text` (from the clipboard, or the selection where the
  // desktop has one) in place of the selection.
  virtual void Pasted(std::u16string text) = 0;

 protected:
  ~EditFieldEvents() = default;
};

// A single-line edit field. Writes from the core are never cut, filtered or
// refused; the selection stays when the keyboard leaves the field.
class EditField : public ChildWindow {
 public:
  enum class Alignment { kLeft, kRight, kCentre };

  [[nodiscard]] virtual std::u16string Text() const = 0;
  virtual void SetText(std::u16string_view text) = 0;
  // The selection's start and length; with nothing selected, the caret and 0.
  [[nodiscard]] virtual int SelectionStart() const = 0;
  [[nodiscard]] virtual int SelectionLength() const = 0;
  // Selects `length` characters from `start`, the caret at the end; a
  // negative length selects backwards, the caret at the start.
  virtual void Select(int start, int length) = 0;
  // Puts the caret at `position`; nothing stays selected.
  virtual void SetCaret(int position) = 0;
  // Puts `text` in place of the selection, the caret after it.
  virtual void ReplaceSelection(std::u16string_view text) = 0;
  // What Backspace does: the selection, or else the character before the
  // caret, goes.
  virtual void Backspace() = 0;
  // The most characters the field can hold at all.
  [[nodiscard]] virtual int Capacity() const = 0;

  virtual void SetReadOnly(bool readOnly) = 0;
  [[nodiscard]] virtual bool ReadOnly() const = 0;
  virtual void SetAlignment(Alignment alignment) = 0;
  virtual void SetFrame(bool frame) = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual void SetColours(Colour text, Colour background) = 0;
  // How many pixels of text the field shows at once, its margins aside.
  [[nodiscard]] virtual int TextRoom() const = 0;
};

}  // namespace runtime
