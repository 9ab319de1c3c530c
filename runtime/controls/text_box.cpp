// SPDX-License-Identifier: MIT
#include "runtime/controls/text_box.h"

#include <algorithm>

#include "runtime/design/design_reader.h"
#include "runtime/dispatch.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/input.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/text.h"

namespace runtime {
namespace {

// Another program's clipboard may hold half of a surrogate pair; on its own
// it is no character at all.
void DropUnpairedSurrogates(std::u16string& text) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      text[kept++] = c;
      text[kept++] = text[++i];
    } else if (!IsSurrogate(c)) {
      text[kept++] = c;
    }
  }
  text.resize(kept);
}

}  // namespace

TextBox::TextBox(FormWindow& form, DesignReader& design)
    : mField(WindowSystem::Current().NewEditField(form, *this)) {
  SetWindow(*mField);
  ReadExtender(design);
  ApplyGeometry();
  SetMaxLength(design.Integer32("MaxLength", 0));
  SetLocked(design.Flag("Locked", false));
  mForeColor = design.Colour("ForeColor", kSystemWindowText);
  mBackColor = design.Colour("BackColor", kSystemWindowBackground);
  const std::int16_t alignment = design.Integer16("Alignment", 0);
  mField->SetAlignment(alignment == 1   ? EditField::Alignment::kRight
                       : alignment == 2 ? EditField::Alignment::kCentre
                                        : EditField::Alignment::kLeft);
  // A flat field without a frame of its own sits in whatever panel the form
  // paints around it.
  const std::int16_t border = design.Integer16("BorderStyle", 1);
  design.Integer16("Appearance", 1);
  mField->SetFrame(border != 0);
  if (const DesignNode* font = design.Group("Font")) SetFont(FontFromDesign(*font));
  mField->SetText(design.GbkText("Text", {}));
  mField->SetCaret(0);
  mField->SetColours(mForeColor, mBackColor);
  // The window system may report edits that change nothing (an empty
  // insert); the system must see Change only for a real change.
  mKnownText = mField->Text();
}

TextBox::~TextBox() {
  // No notice of the field's going may reach this object.
  mField.reset();
}

std::u16string TextBox::Text() const { return mField->Text(); }

void TextBox::SetText(const std::u16string& text) {
  // Text written by code shows from its start, as an edit box's does: the
  // caret goes to 0 inside the write, before Change is raised, so that a
  // Change handler can still move it. A field too narrow for its text then
  // shows the first characters, not the last.
  mCaretToStartPending = true;
  mField->SetText(text);
  TextMayHaveChanged();
  if (mCaretToStartPending) PutCaretAtStart();  // unchanged text raises nothing
  ThrowIfEnded();
}

void TextBox::PutCaretAtStart() {
  mCaretToStartPending = false;
  mField->SetCaret(0);
}

void TextBox::TextMayHaveChanged() {
  if (mCaretToStartPending) PutCaretAtStart();
  std::u16string text = mField->Text();
  if (text == mKnownText) return;
  mKnownText = std::move(text);
  Boundary([this] { Change.Raise(); });
}

std::u16string TextBox::SelText() const {
  const std::u16string text = mField->Text();
  const auto start = static_cast<std::size_t>(std::clamp(mField->SelectionStart(), 0, static_cast<int>(text.size())));
  return text.substr(start, static_cast<std::size_t>(std::max(mField->SelectionLength(), 0)));
}

void TextBox::SetSelText(const std::u16string& text) {
  mField->ReplaceSelection(text);
  TextMayHaveChanged();
  ThrowIfEnded();
}

std::int32_t TextBox::SelStart() const { return mField->SelectionStart(); }

void TextBox::SetSelStart(std::int32_t start) {
  if (start < 0) Raise(kInvalidPropertyValue);
  const auto length = static_cast<std::int32_t>(mField->Text().size());
  mField->SetCaret(start < length ? start : length);
}

std::int32_t TextBox::SelLength() const { return mField->SelectionLength(); }

void TextBox::SetSelLength(std::int32_t length) {
  if (length < 0) Raise(kInvalidPropertyValue);
  const std::int32_t start = SelStart();
  const auto available = static_cast<std::int32_t>(mField->Text().size()) - start;
  mField->Select(start, length < available ? length : available);
}

void TextBox::SetMaxLength(std::int32_t length) {
  if (length < 0) Raise(kInvalidPropertyValue);
  mMaxLength = length;
}

int TextBox::TextRoom() const { return mField->TextRoom(); }

bool TextBox::Locked() const { return mField->ReadOnly(); }

void TextBox::SetLocked(bool locked) { mField->SetReadOnly(locked); }

void TextBox::SetForeColor(Colour colour) {
  // The refresh timer writes this every tick; an unchanged colour must cost
  // nothing and repaint nothing.
  if (colour == mForeColor) return;
  mForeColor = colour;
  mField->SetColours(mForeColor, mBackColor);
}

void TextBox::SetFont(FontRef font) {
  mFont = std::move(font);
  if (mFont) mField->SetFont(*mFont);
}

EditFieldEvents::Typing TextBox::Typed(char16_t character) {
  std::int16_t keyAscii = static_cast<std::int16_t>(character);
  Boundary([&] { KeyPress.Raise(keyAscii); });
  if (HasEnded()) return Typing::kStop;
  if (keyAscii == 0) return Typing::kHandled;
  const auto result = static_cast<char16_t>(keyAscii);
  if (IsPrintable(result)) {
    InsertFromUser(std::u16string(1, result));
  } else if (result == character) {
    // A command character the handler let through does what its key does;
    // Ctrl+V pastes within the user's limit.
    if (character == 0x16) {
      InsertFromUser(WindowSystem::Current().ClipboardText());
    } else if (character == kBackspaceAscii) {
      if (!Locked()) mField->Backspace();
    } else {
      return Typing::kDefault;
    }
  } else if (keyAscii == kBackspaceAscii && !Locked()) {
    mField->Backspace();
  }
  return HasEnded() ? Typing::kStop : Typing::kHandled;
}

void TextBox::Pasted(std::u16string text) { InsertFromUser(std::move(text)); }

void TextBox::InsertFromUser(std::u16string text) {
  if (Locked()) return;
  text.erase(std::find_if(text.begin(), text.end(), IsLineBreak), text.end());
  DropUnpairedSurrogates(text);
  // Without a limit of the user's own, the field's capacity is the limit:
  // the window system would cut there, and could cut a pair in two.
  const long long limit = mMaxLength > 0 ? mMaxLength : mField->Capacity();
  const long long room = limit - (static_cast<long long>(mField->Text().size()) - mField->SelectionLength());
  if (room <= 0) return;
  if (static_cast<long long>(text.size()) > room) {
    text.resize(static_cast<std::size_t>(room));
    // Never leave half of a surrogate pair behind.
    if (IsHighSurrogate(text.back())) text.pop_back();
  }
  if (text.empty() && mField->SelectionLength() == 0) return;
  mField->ReplaceSelection(text);
  TextMayHaveChanged();
}

}  // namespace runtime
