// SPDX-License-Identifier: MIT
#pragma once

#include <QClipboard>
#include <QLineEdit>

#include "qt/child_widget.h"
#include "runtime/seam/edit_field.h"

namespace qt_frontend {

// A text box's field on Qt's single-line edit. Every character the user
// types, from the keyboard or an input method, and every paste (Ctrl+V,
// Shift+Insert, the context menu, a middle click) goes to the runtime
// first, which decides what goes in. Qt's own maxLength is left at its
// largest, since it would also cut what code writes. The selection stays
// when the focus leaves the field, so code can still read or replace it from
// a button or a menu; Tab into the field selects the whole text and a click
// places the caret, as Qt has them.
class LineEditBox : public ChildWidget<QLineEdit, runtime::EditField> {
  Q_OBJECT

 public:
  LineEditBox(QWidget* form, runtime::EditFieldEvents& events);

  [[nodiscard]] std::u16string Text() const override { return text().toStdU16String(); }
  void SetText(std::u16string_view text) override;
  [[nodiscard]] int SelectionStart() const override;
  [[nodiscard]] int SelectionLength() const override { return selectionLength(); }
  void Select(int start, int length) override { setSelection(start, length); }
  void SetCaret(int position) override { setCursorPosition(position); }
  void ReplaceSelection(std::u16string_view text) override;
  void Backspace() override { backspace(); }
  [[nodiscard]] int Capacity() const override { return maxLength(); }
  void SetReadOnly(bool readOnly) override { setReadOnly(readOnly); }
  [[nodiscard]] bool ReadOnly() const override { return isReadOnly(); }
  void SetAlignment(Alignment alignment) override;
  void SetFrame(bool frame) override { setFrame(frame); }
  void SetFont(const runtime::Font& font) override;
  void SetColours(runtime::Colour text, runtime::Colour background) override;
  [[nodiscard]] int TextRoom() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void PasteFrom(QClipboard::Mode mode);

  runtime::EditFieldEvents& mEvents;
};

}  // namespace qt_frontend
