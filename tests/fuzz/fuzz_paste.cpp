// SPDX-License-Identifier: MIT
// Any bytes as the text a paste or an input method brings into the size
// field of the real main window, with any content and selection the field
// may hold before it. Shift+Insert, the context menu's Paste, a middle click
// (where the platform has a selection) and an input method's commit are
// delivered as the events they are. Afterwards the field holds no more than
// the user's limit, no line break and no half of a surrogate pair; whenever
// it holds a digit string the outputs are the formulas' values; and nothing
// escaped the event loop or was reported.
//
// Offscreen, where `make fuzz` runs it for speed, there is no selection and
// a middle click pastes nothing; in an X server (QT_QPA_PLATFORM=xcb) it
// pastes the selection, at a third of the speed.
#include <fuzzer/FuzzedDataProvider.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "expected_sizes.h"
#include "main_window/form1.h"
#include "main_window/project.h"
#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "qt/line_edit_box.h"
#include "qt_fuzz_setup.h"
#include "runtime/dispatch.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

// The running system, made once: which paste arrives does not change how
// the window is built.
struct Session {
  main_window::Project project;
  main_window::Form1& form = project.Form1();
  int reported = 0;

  Session() {
    project.SetErrorSink([this](const runtime::RuntimeError& error) {
      ++reported;
      std::fprintf(stderr, "reported: run-time error %d: %s\n", error.Number(), error.Description().c_str());
    });
    form.Show();
    auto& window = dynamic_cast<qt_frontend::FormWidget&>(form.Window());
    QApplication::setActiveWindow(&window);
    QCoreApplication::processEvents();
    dynamic_cast<QWidget&>(form.Text1(0).Field()).setFocus();
    // Shown once, it stays shown but is no longer painted: repainting the
    // window after every paste would cost three times the paste itself.
    window.setUpdatesEnabled(false);
  }
};

Session* gSession = nullptr;

// Offscreen, every context menu that pops up tells standard error that the
// platform can neither raise a window nor grab the keyboard: two lines per
// menu, hundreds of thousands in a long run, which cost more than the menu
// and bury a finding's report. Those two, and only those, are dropped; every
// other message goes where it would have gone.
QtMessageHandler gQtMessages = nullptr;

void DropOffscreenMenuWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && (message == QLatin1String("This plugin does not support raise()") ||
                               message == QLatin1String("This plugin does not support grabbing the keyboard"))) {
    return;
  }
  gQtMessages(type, context, message);
}

enum class Path { kShiftInsert, kContextMenu, kMiddleClick, kInputMethod };

// The context menu costs ten times what the other ways cost, building,
// showing and deleting a menu each time, and the paste behind it is the
// same: it gets one input in 128, still thousands a minute. That share is
// drawn from a hash of the whole input, not from a byte of it: the fuzzer's
// mutations keep an input's last bytes, and with a byte choosing, a corpus
// that once held menu inputs spent a quarter of its time in menus.
Path ChoosePath(const std::uint8_t* data, std::size_t size, FuzzedDataProvider& input) {
  const auto pick = input.ConsumeIntegral<std::uint8_t>();
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  if (std::hash<std::string_view>{}(whole) % 128 == 0) return Path::kContextMenu;
  constexpr Path kOthers[] = {Path::kShiftInsert, Path::kMiddleClick, Path::kInputMethod};
  return kOthers[pick % 3];
}

// An input method commits a word or a short phrase, and each of its
// characters is typed through the key filter, each one the field takes
// changing both outputs: a commit of a kilobyte costs what a hundred pastes
// cost. Sixteen bytes are more than twice what the field keeps, and 64 still
// left the commits half of the run's time.
constexpr std::size_t kLongestCommit = 16;

// Delivers an event as the platform would; an exception must never come
// back out of it.
void Deliver(QObject* receiver, QEvent* event) {
  try {
    QApplication::sendEvent(receiver, event);
  } catch (...) {
    Check(false, "an exception escaped an event");
  }
}

void ProcessEvents() {
  try {
    // Menus closed on the way delete themselves later; later is now.
    fuzz_support::Housekeeping();
  } catch (...) {
    Check(false, "an exception escaped the event loop");
  }
}

bool IsLineBreak(QChar c) {
  const char16_t u = c.unicode();
  return u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool HasHalfASurrogatePair(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate()) {
      if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate()) return true;
      ++i;
    } else if (text[i].isLowSurrogate()) {
      return true;
    }
  }
  return false;
}

// What the field may hold before the paste: anything typed or pasted
// earlier, so no line break and only whole characters.
QString FieldContent(const std::string& bytes) {
  QString text = QString::fromUtf8(bytes);
  text.removeIf(IsLineBreak);
  return text;
}

// A selection the user can make: never between the halves of a pair.
int CharacterBoundary(const QString& text, int position) {
  if (position > 0 && position < text.size() && text[position].isLowSurrogate()) ++position;
  return position;
}

// The clipboard text as another program may offer it: bytes a platform
// decodes as UTF-8, or UTF-16 units as they come, unpaired halves included.
void OfferOnClipboard(FuzzedDataProvider& input, QClipboard::Mode mode) {
  const bool units = input.ConsumeBool();
  const std::string bytes = input.ConsumeRemainingBytesAsString();
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (mode == QClipboard::Selection && !clipboard->supportsSelection()) return;
  if (units) {
    QString text(static_cast<qsizetype>(bytes.size() / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
      text[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                            static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    clipboard->setText(text, mode);
  } else {
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain;charset=utf-8"), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data, mode);
  }
}

void PasteByKeyboard(QWidget* field) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
  Deliver(field, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Insert, Qt::ShiftModifier);
  Deliver(field, &release);
}

void PasteFromContextMenu(QWidget* field) {
  const QPoint at = field->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
  Deliver(field, &event);
  QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  Check(menu != nullptr, "the field's context menu opened");
  // The item as the field names it, in whatever language the window speaks.
  static const QString pasteText = QLineEdit::tr("&Paste");
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().section(u'\t', 0, 0) == pasteText) paste = action;
  }
  Check(paste != nullptr, "the context menu offers Paste");
  try {
    paste->trigger();
  } catch (...) {
    Check(false, "an exception escaped the context menu's Paste");
  }
  if (menu) menu->close();
}

void PasteByMiddleClick(QWidget* field) {
  const QPointF at = field->rect().center();
  const QPointF global = field->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
  Deliver(field, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
  Deliver(field, &release);
}

void CommitFromInputMethod(QWidget* field, const QString& preedit, const QString& committed) {
  QInputMethodEvent composing(preedit, {});
  Deliver(field, &composing);
  QInputMethodEvent commit;
  commit.setCommitString(committed);
  Deliver(field, &commit);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  gQtMessages = qInstallMessageHandler(DropOffscreenMenuWarnings);
  fuzz_support::StartQt(argc, argv);
  // Never torn down, as the application is not.
  gSession = new Session;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  main_window::Form1& form = gSession->form;
  runtime::TextBox& sizeField = form.Text1(0);
  auto& field = dynamic_cast<qt_frontend::LineEditBox&>(sizeField.Field());

  const Path path = ChoosePath(data, size, input);
  // The content arrives as a code write, as the keypad and Clear make them,
  // and is then selected as the user selects.
  const QString content = FieldContent(input.ConsumeRandomLengthString(24));
  runtime::Boundary([&] { sizeField.SetText(content.toStdU16String()); });
  const int start = CharacterBoundary(content, input.ConsumeIntegralInRange<int>(0, static_cast<int>(content.size())));
  const int end = CharacterBoundary(content, input.ConsumeIntegralInRange<int>(start, static_cast<int>(content.size())));
  field.setSelection(start, end - start);

  const QString before = qt_frontend::ToQString(sizeField.Text());
  QWidget* widget = &field;
  switch (path) {
    case Path::kShiftInsert:
      OfferOnClipboard(input, QClipboard::Clipboard);
      PasteByKeyboard(widget);
      break;
    case Path::kContextMenu:
      OfferOnClipboard(input, QClipboard::Clipboard);
      PasteFromContextMenu(widget);
      break;
    case Path::kMiddleClick:
      OfferOnClipboard(input, QClipboard::Selection);
      PasteByMiddleClick(widget);
      break;
    case Path::kInputMethod: {
      const QString preedit = QString::fromUtf8(input.ConsumeRandomLengthString(8));
      const std::string committed = input.ConsumeBytesAsString(std::min(input.remaining_bytes(), kLongestCommit));
      CommitFromInputMethod(widget, preedit, QString::fromUtf8(committed));
      break;
    }
  }
  ProcessEvents();

  const QString after = qt_frontend::ToQString(sizeField.Text());
  const qsizetype limit = std::max<qsizetype>(sizeField.MaxLength(), before.size());
  Check(after.size() <= limit, "the field stays within the user's limit");
  Check(std::none_of(after.begin(), after.end(), IsLineBreak), "the field holds no line break");
  Check(!HasHalfASurrogatePair(after), "the field holds no half of a surrogate pair");

  const std::string typed = after.toStdString();
  if (const auto n = fuzz_support::SmallDigitString(typed)) {
    Check(qt_frontend::ToQString(form.Text1(1).Text()).toStdString() == fuzz_support::ExpectedFat32(*n),
          "FAT32 agrees with the formula");
    Check(qt_frontend::ToQString(form.Text1(2).Text()).toStdString() == fuzz_support::ExpectedNtfs(*n),
          "NTFS agrees with the formula");
  }
  Check(gSession->reported == 0, "nothing was reported");
  Check(!gSession->project.Ended(), "the program runs on");
  fuzz_support::CountInput();
  return 0;
}
