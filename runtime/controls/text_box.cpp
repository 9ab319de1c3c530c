// SPDX-License-Identifier: MIT
#include "runtime/controls/text_box.h"

#include <QPalette>

#include "runtime/controls/line_edit_box.h"
#include "runtime/design/design_reader.h"
#include "runtime/dispatch.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace runtime {

TextBox::TextBox(QWidget* form, DesignReader& design)
    : Control(new LineEditBox(form)), mField(static_cast<LineEditBox*>(Widget())) {
  ReadExtender(design);
  ApplyGeometry();
  SetMaxLength(design.Integer32("MaxLength", 0));
  SetLocked(design.Flag("Locked", false));
  mForeColor = design.Colour("ForeColor", kSystemWindowText);
  mBackColor = design.Colour("BackColor", kSystemWindowBackground);
  const std::int16_t alignment = design.Integer16("Alignment", 0);
  mField->setAlignment(alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter
                                                                        : Qt::AlignLeft);
  // A flat field without a frame of its own sits in whatever panel the form
  // paints around it.
  const std::int16_t border = design.Integer16("BorderStyle", 1);
  design.Integer16("Appearance", 1);
  mField->setFrame(border != 0);
  if (const DesignNode* font = design.Group("Font")) SetFont(FontFromDesign(*font));
  mField->setText(design.GbkText("Text", {}));
  mField->setCursorPosition(0);
  ApplyColours();

  mField->SetKeyFilter([this](std::int16_t& keyAscii) { Boundary([&] { KeyPress.Raise(keyAscii); }); });
  // Qt reports some edits that change nothing (an empty insert); the system
  // must see Change only for a real change.
  mKnownText = mField->text();
  QObject::connect(mField, &QLineEdit::textChanged, mField, [this](const QString& text) {
    if (mCaretToStartPending) PutCaretAtStart();
    if (text == mKnownText) return;
    mKnownText = text;
    Boundary([this] { Change.Raise(); });
  });
}

TextBox::~TextBox() {
  // The field may outlive this object by a moment as Qt tears down; it must
  // not call back into it.
  QObject::disconnect(mField, nullptr, mField, nullptr);
  mField->SetKeyFilter({});
}

QString TextBox::Text() const { return mField->text(); }

void TextBox::SetText(const QString& text) {
  // Text written by code shows from its start, as an edit box's does: the
  // caret goes to 0 inside the write, before Change is raised, so that a
  // Change handler can still move it. A field too narrow for its text then
  // shows the first characters, not the last.
  mCaretToStartPending = true;
  mField->setText(text);
  if (mCaretToStartPending) PutCaretAtStart();  // unchanged text raises nothing
  ThrowIfEnded();
}

void TextBox::PutCaretAtStart() {
  mCaretToStartPending = false;
  mField->setCursorPosition(0);
}

QString TextBox::SelText() const { return mField->selectedText(); }

void TextBox::SetSelText(const QString& text) {
  mField->insert(text);
  ThrowIfEnded();
}

std::int32_t TextBox::SelStart() const {
  return static_cast<std::int32_t>(mField->hasSelectedText() ? mField->selectionStart()
                                                             : mField->cursorPosition());
}

void TextBox::SetSelStart(std::int32_t start) {
  if (start < 0) Raise(kInvalidPropertyValue);
  const auto length = static_cast<std::int32_t>(mField->text().size());
  mField->setCursorPosition(start < length ? start : length);
}

std::int32_t TextBox::SelLength() const {
  return static_cast<std::int32_t>(mField->selectedText().size());
}

void TextBox::SetSelLength(std::int32_t length) {
  if (length < 0) Raise(kInvalidPropertyValue);
  const std::int32_t start = SelStart();
  const auto available = static_cast<std::int32_t>(mField->text().size()) - start;
  mField->setSelection(start, length < available ? length : available);
}

void TextBox::SetMaxLength(std::int32_t length) {
  if (length < 0) Raise(kInvalidPropertyValue);
  mMaxLength = length;
  mField->SetUserLimit(length);
}

int TextBox::TextRoom() const { return mField->TextRoom(); }

bool TextBox::Locked() const { return mField->isReadOnly(); }

void TextBox::SetLocked(bool locked) { mField->setReadOnly(locked); }

void TextBox::SetForeColor(Colour colour) {
  // The refresh timer writes this every tick; an unchanged colour must cost
  // nothing and repaint nothing.
  if (colour == mForeColor) return;
  mForeColor = colour;
  ApplyColours();
}

void TextBox::SetFont(FontRef font) {
  mFont = std::move(font);
  if (mFont) mField->setFont(mFont->ToQFont());
}

void TextBox::ApplyColours() {
  QPalette palette = mField->palette();
  palette.setColor(QPalette::Text, ToQColor(mForeColor));
  palette.setColor(QPalette::Base, ToQColor(mBackColor));
  mField->setPalette(palette);
}

}  // namespace runtime
