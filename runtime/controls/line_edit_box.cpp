// SPDX-License-Identifier: MIT
#include "runtime/controls/line_edit_box.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "runtime/input_codes.h"
#include "runtime/program.h"

namespace runtime {

LineEditBox::LineEditBox(QWidget* parent) : QLineEdit(parent) {
  // Code may write any length; the user's limit is ours to keep.
  setMaxLength(32767);
  // Drops would be a way around the limit and the filter; the fields never
  // took drops.
  setAcceptDrops(false);
}

namespace {

// The characters that end a line wherever text is shown: a single-line
// field takes only what comes before the first.
bool IsLineBreak(QChar c) {
  switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:
    case 0x2028:
    case 0x2029: return true;
    default: return false;
  }
}

// Another program's clipboard may hold half of a surrogate pair; on its own
// it is no character at all.
void DropUnpairedSurrogates(QString& text) {
  qsizetype kept = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      text[kept++] = c;
      text[kept++] = text[++i];
    } else if (!c.isSurrogate()) {
      text[kept++] = c;
    }
  }
  text.truncate(kept);
}

}  // namespace

int LineEditBox::TextRoom() const {
  // As the platform's field lays out its line: the contents rectangle less
  // the text margins and the 2 pixels it keeps clear at either side.
  constexpr int kLineMargin = 2;
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).width() - 2 * kLineMargin;
}

void LineEditBox::InsertFromUser(QString text) {
  if (isReadOnly()) return;
  text.truncate(std::find_if(text.cbegin(), text.cend(), IsLineBreak) - text.cbegin());
  DropUnpairedSurrogates(text);
  // Without a limit of the user's own, the field's capacity is the limit:
  // the platform would cut there, and could cut a pair in two.
  const qsizetype limit = mUserLimit > 0 ? mUserLimit : maxLength();
  const qsizetype room = limit - (this->text().size() - selectedText().size());
  if (room <= 0) return;
  if (text.size() > room) {
    text.truncate(room);
    // Never leave half of a surrogate pair behind.
    if (text.back().isHighSurrogate()) text.chop(1);
  }
  if (text.isEmpty() && !hasSelectedText()) return;
  insert(text);
}

void LineEditBox::PasteFromUser(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  InsertFromUser(QGuiApplication::clipboard()->text(mode));
}

bool LineEditBox::Type(QChar typed, QKeyEvent* original) {
  std::int16_t keyAscii = ToKeyAscii(typed);
  if (mKeyFilter) mKeyFilter(keyAscii);
  if (HasEnded()) return false;
  if (keyAscii == 0) return true;
  const QChar result = FromKeyAscii(keyAscii);
  if (IsPrintable(result)) {
    InsertFromUser(QString(result));
  } else if (result == typed && original != nullptr) {
    // A command character the filter let through does what its key does;
    // Ctrl+V pastes within the user's limit.
    if (typed.unicode() == 0x16) {
      PasteFromUser(QClipboard::Clipboard);
    } else if (typed.unicode() == 0x08) {
      if (!isReadOnly()) backspace();
    } else {
      QLineEdit::keyPressEvent(original);
    }
  } else if (result.unicode() == 0x08 && !isReadOnly()) {
    backspace();
  }
  return !HasEnded();
}

void LineEditBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = TypedCharacters(*event);
  if (typed.isEmpty()) {
    if (event->matches(QKeySequence::Paste)) {
      PasteFromUser(QClipboard::Clipboard);
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  QPointer<LineEditBox> alive(this);
  for (const QChar c : typed) {
    if (!alive || !Type(c, event)) return;
  }
}

void LineEditBox::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // The composition stays on screen as the platform draws it; what it
  // commits is typed character by character through the filter.
  const QString committed = event->commitString();
  QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&preeditOnly);
  event->accept();
  QPointer<LineEditBox> alive(this);
  for (const QChar c : committed) {
    if (!alive || !Type(c, nullptr)) return;
  }
}

void LineEditBox::contextMenuEvent(QContextMenuEvent* event) {
  QPointer<QMenu> menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    // The standard Paste knows nothing of the user's limit.
    // Qt has connected it in either syntax over the years.
    const bool wasPaste = QObject::disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                          QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
    if (wasPaste) {
      connect(action, &QAction::triggered, this, [this] { PasteFromUser(QClipboard::Clipboard); });
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void LineEditBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (!isReadOnly() && rect().contains(event->position().toPoint())) {
      deselect();
      PasteFromUser(QClipboard::Selection);
    }
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void LineEditBox::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  // What stayed selected from an earlier visit gives way to Qt's own rule for
  // a field reached from the keyboard: the whole text.
  if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
    deselect();
  }
  QLineEdit::focusInEvent(event);
}

void LineEditBox::focusOutEvent(QFocusEvent* event) {
  // Qt drops the selection here; put it back as it was, caret end included.
  const int start = selectionStart();
  const int length = selectionLength();
  const bool caretAtStart = cursorPosition() == start;
  QLineEdit::focusOutEvent(event);
  if (length <= 0 || hasSelectedText()) return;
  if (caretAtStart) {
    setSelection(start + length, -length);
  } else {
    setSelection(start, length);
  }
}

}  // namespace runtime
