// SPDX-License-Identifier: MIT
#include "qt/qt_window_system.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "qt/fonts.h"
#include "qt/form_widget.h"
#include "qt/line_edit_box.h"
#include "qt/platform/pointer_tracker.h"
#include "qt/qt_beat.h"
#include "qt/qt_popup_menu.h"
#include "qt/surface_widget.h"
#include "qt/window_handles.h"
#include "runtime/values/font.h"
#include "runtime/win32/win32.h"

namespace qt_frontend {
namespace {

QClipboard* SystemClipboard() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr ? QGuiApplication::clipboard()
                                                                                : nullptr;
}

bool CanShowBox() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && !QCoreApplication::closingDown();
}

}  // namespace

QtWindowSystem::QtWindowSystem() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    runtime::MemoryGdi::Display display;
    display.width = screen->geometry().width();
    display.height = screen->geometry().height();
    mGdi.SetDisplay(display);
  }
}

QtWindowSystem::~QtWindowSystem() = default;

std::unique_ptr<runtime::FormWindow> QtWindowSystem::NewFormWindow(runtime::FormWindowEvents& events) {
  return std::make_unique<FormWidget>(events);
}

std::unique_ptr<runtime::SurfaceWindow> QtWindowSystem::NewSurfaceWindow(runtime::FormWindow& form,
                                                                         runtime::SurfaceEvents& events) {
  return std::make_unique<SurfaceWidget>(&dynamic_cast<FormWidget&>(form), events);
}

std::unique_ptr<runtime::EditField> QtWindowSystem::NewEditField(runtime::FormWindow& form,
                                                                 runtime::EditFieldEvents& events) {
  return std::make_unique<LineEditBox>(&dynamic_cast<FormWidget&>(form), events);
}

std::unique_ptr<runtime::PopupMenu> QtWindowSystem::NewPopupMenu(std::string_view name) {
  return std::make_unique<QtPopupMenu>(name);
}

std::unique_ptr<runtime::Beat> QtWindowSystem::NewBeat(std::function<void()> onBeat) {
  return std::make_unique<QtBeat>(std::move(onBeat));
}

void QtWindowSystem::EndProgram() {
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  if (mLoopRunning) QCoreApplication::exit(0);
}

bool QtWindowSystem::ShowErrorBox(std::u16string_view text, bool wait) {
  if (!CanShowBox() || (!wait && mOpenBox && mOpenBox->isVisible())) return false;
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QCoreApplication::applicationName(),
                                           ToQString(text), QMessageBox::Ok);
  if (wait) {
    box->exec();
    return true;
  }
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->setObjectName(QStringLiteral("RuntimeErrorBox"));
  box->show();
  mOpenBox = box.release();
  return true;
}

bool QtWindowSystem::ClearClipboard() {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr) return false;
  clipboard->clear(QClipboard::Clipboard);
  return true;
}

bool QtWindowSystem::SetClipboardText(std::u16string_view text) {
  QClipboard* clipboard = SystemClipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ToQString(text), QClipboard::Clipboard);
  return true;
}

std::u16string QtWindowSystem::ClipboardText() {
  QClipboard* clipboard = SystemClipboard();
  return clipboard != nullptr ? clipboard->text(QClipboard::Clipboard).toStdU16String() : std::u16string();
}

runtime::Point QtWindowSystem::CursorPos() {
  // Asking the window system is a round trip to it; the front-end follows
  // the pointer through its own windows' events and asks only when it
  // cannot know (and where the window system keeps the pointer to itself,
  // the tracker's answer is the only one).
  PointerTracker* tracker = PointerTracker::Current();
  const QPoint position = tracker != nullptr ? tracker->CursorPosition() : QCursor::pos();
  return {position.x(), position.y()};
}

runtime::WindowHandle QtWindowSystem::WindowFromPoint(runtime::Point screen) {
  const QPoint where(screen.x, screen.y);
  PointerTracker* tracker = PointerTracker::Current();
  QWidget* widget = tracker != nullptr ? tracker->WidgetAt(where) : QApplication::widgetAt(where);
  // A disabled window is passed over, as the platform's hit test passes it:
  // the point belongs to the enabled window it sits in.
  while (widget != nullptr && !widget->isEnabled()) widget = widget->parentWidget();
  return HandleOf(widget);
}

void QtWindowSystem::ReleaseCapture() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

std::int32_t QtWindowSystem::SendWindowMessage(runtime::WindowHandle window, std::uint32_t message,
                                               std::int32_t wParam, std::int32_t /*lParam*/) {
  if (message != runtime::win32::WM_SYSCOMMAND || (wParam & 0xFFF0) != runtime::win32::SC_MOVE) return 0;
  QWidget* widget = WidgetOf(window);
  if (widget == nullptr) return 0;
  if (auto* form = qobject_cast<FormWidget*>(widget->window())) form->BeginDrag();
  return 0;
}

runtime::TextMetrics QtWindowSystem::MeasureText(const runtime::Font& font, std::u16string_view text) {
  const QFontMetrics metrics(ToQFont(font));
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height(), metrics.ascent()};
}

void QtWindowSystem::DrawTextOn(runtime::gdi::HDC hdc, const runtime::Font& font, runtime::Colour colour,
                                runtime::Point topLeft, std::u16string_view text) {
  const runtime::PixelView pixels = mGdi.BitmapPixels(mGdi.SelectedBitmap(hdc));
  if (pixels.Empty()) return;
  QImage image(reinterpret_cast<uchar*>(pixels.first), pixels.width, pixels.height,
               static_cast<qsizetype>(pixels.stride) * 4, QImage::Format_RGB32);
  const QFont face = ToQFont(font);
  QPainter painter(&image);
  painter.setFont(face);
  painter.setPen(ToQColor(colour));
  painter.drawText(QPoint(topLeft.x, topLeft.y + QFontMetrics(face).ascent()), ToQString(text));
}

std::u16string QtWindowSystem::InstalledFamily(std::u16string_view family) {
  return qt_frontend::InstalledFamily(ToQString(family)).toStdU16String();
}

runtime::Font QtWindowSystem::InterfaceFont() {
  const QFont font = QApplication::font();
  runtime::Font interface;
  interface.name = font.family().toStdU16String();
  interface.size = font.pointSizeF() > 0 ? font.pointSizeF() : 9;
  return interface;
}

void QtWindowSystem::SetInterfaceFont(const runtime::Font& font) { UseInterfaceFont(font); }

bool QtWindowSystem::UseLanguage(std::string_view locale) { return qt_frontend::UseLanguage(locale); }

}  // namespace qt_frontend
