// SPDX-License-Identifier: MIT
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace runtime {

// The platform's single-line field with the runtime's input rules laid over
// it: every character the user types, from the keyboard or an input method,
// first passes a filter that may refuse or change it; what the user types or
// pastes is held to a length limit, while text written by code never is.
// Qt's own maxLength cannot do this, since it also cuts setText.
// The selection stays when the focus leaves the field, so code can still
// read or replace it from a button or a menu; Tab into the field selects the
// whole text and a click places the caret, as Qt has them.
class LineEditBox : public QLineEdit {
  Q_OBJECT

 public:
  // Sees each typed character code and may change it; 0 refuses it.
  using KeyFilter = std::function<void(std::int16_t& keyAscii)>;

  explicit LineEditBox(QWidget* parent);

  void SetKeyFilter(KeyFilter filter) { mKeyFilter = std::move(filter); }
  // The most characters the user can bring the text to; 0 for no limit.
  void SetUserLimit(int limit) { mUserLimit = limit; }
  // How many pixels of text the field shows at once, its own margins aside.
  [[nodiscard]] int TextRoom() const;

  // Text the user typed or pasted, put in place of the selection: nothing in
  // a read-only field, the first line only, and no more than the limit leaves
  // room for.
  void InsertFromUser(QString text);
  void PasteFromUser(QClipboard::Mode mode);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Runs one typed character through the filter and does what is left of
  // it. False when the filter ended the program: nothing more may happen.
  bool Type(QChar typed, QKeyEvent* original);

  KeyFilter mKeyFilter;
  int mUserLimit = 0;
};

}  // namespace runtime
