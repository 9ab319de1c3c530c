// SPDX-License-Identifier: MIT
#include "qt/line_edit_box.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

#include "qt/fonts.h"
#include "qt/input_codes.h"

namespace qt_frontend {
LineEditBox::LineEditBox(QWidget* form, runtime::EditFieldEvents& events)
    : ChildWidget(form, Qt::StrongFocus), mEvents(events) {
  // Code may write any length; the user's limit is the runtime's to keep.
  setMaxLength(32767);
  // Drops would be a way around the limit and the filter; the fields never
  // took drops.
  setAcceptDrops(false);
  connect(this, &QLineEdit::textChanged, this, [this] { mEvents.TextMayHaveChanged(); });
}

void LineEditBox::SetText(std::u16string_view text) { setText(ToQString(text)); }

int LineEditBox::SelectionStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void LineEditBox::ReplaceSelection(std::u16string_view text) { insert(ToQString(text)); }

void LineEditBox::SetAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::kLeft: setAlignment(Qt::AlignLeft); break;
    case Alignment::kRight: setAlignment(Qt::AlignRight); break;
    case Alignment::kCentre: setAlignment(Qt::AlignHCenter); break;
  }
}

void LineEditBox::SetFont(const runtime::Font& font) { setFont(ToQFont(font)); }

void LineEditBox::SetColours(runtime::Colour text, runtime::Colour background) {
  QPalette colours = palette();
  colours.setColor(QPalette::Text, ToQColor(text));
  colours.setColor(QPalette::Base, ToQColor(background));
  setPalette(colours);
}

int LineEditBox::TextRoom() const {
  // As the platform's field lays out its line: the contents rectangle less
  // the text margins and the 2 pixels it keeps clear at either side.
  constexpr int kLineMargin = 2;
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).width() - 2 * kLineMargin;
}

void LineEditBox::PasteFrom(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  mEvents.Pasted(QGuiApplication::clipboard()->text(mode).toStdU16String());
}

void LineEditBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = TypedCharacters(*event);
  if (typed.isEmpty()) {
    if (event->matches(QKeySequence::Paste)) {
      PasteFrom(QClipboard::Clipboard);
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
  QPointer<LineEditBox> alive(this);
  for (const QChar c : typed) {
    if (!alive) return;
    switch (mEvents.Typed(c.unicode())) {
      case runtime::EditFieldEvents::Typing::kStop: return;
      case runtime::EditFieldEvents::Typing::kDefault: QLineEdit::keyPressEvent(event); break;
      case runtime::EditFieldEvents::Typing::kHandled: break;
    }
  }
}

void LineEditBox::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  // The composition stays on screen as the platform draws it; what it
  // commits is typed character by character through the runtime.
  const QString committed = event->commitString();
  QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&preeditOnly);
  event->accept();
  QPointer<LineEditBox> alive(this);
  for (const QChar c : committed) {
    // A command character an input method commits has no key to act for it.
    if (!alive || mEvents.Typed(c.unicode()) == runtime::EditFieldEvents::Typing::kStop) return;
  }
}

void LineEditBox::contextMenuEvent(QContextMenuEvent* event) {
  QPointer<QMenu> menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    // The standard Paste knows nothing of the runtime's rules.
    // Qt has connected it in either syntax over the years.
    const bool wasPaste = QObject::disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                          QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
    if (wasPaste) connect(action, &QAction::triggered, this, [this] { PasteFrom(QClipboard::Clipboard); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void LineEditBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    if (!isReadOnly() && rect().contains(event->position().toPoint())) {
      deselect();
      PasteFrom(QClipboard::Selection);
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

}  // namespace qt_frontend
