// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include "runtime/seam/form_window.h"

namespace qt_frontend {

// The window of a form on Qt: paints the form's picture, reports presses on
// its background, requests to close it and changes of what is seen of it,
// and remembers the press a drag would start from.
class FormWidget : public QWidget, public runtime::FormWindow {
  Q_OBJECT

 public:
  explicit FormWidget(runtime::FormWindowEvents& events);
  ~FormWidget() override;

  [[nodiscard]] runtime::WindowHandle Handle() const override;
  void SetName(std::string_view name) override;
  void SetCaption(std::u16string_view caption) override;
  [[nodiscard]] std::u16string Caption() const override { return windowTitle().toStdU16String(); }
  void SetIcon(const std::vector<runtime::PixelsRef>& sizes) override;
  void SetPicture(runtime::PixelsRef picture) override;
  void SetFrameless() override { setWindowFlags(Qt::Window | Qt::FramelessWindowHint); }
  void SetClientSize(int width, int height, bool fixed) override;
  void CentreOnScreen() override;
  void UseIconForProgram() override;
  void SetTabOrder(const std::vector<runtime::ChildWindow*>& order) override;
  void Show() override;
  void Hide() override { hide(); }
  [[nodiscard]] State WindowState() const override;
  void SetWindowState(State state) override;
  [[nodiscard]] bool OutOfSight() const override;
  [[nodiscard]] runtime::Point ClientToScreen(runtime::Point client) const override;

  // Starts moving the window with the button that is down on its background.
  void BeginDrag();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Makes the window the active one (it takes the keyboard) once it is on
  // screen: asking before would hold up its first frame by a round trip to
  // the window system.
  void ActivateOnceShown();
  void VisibilityMayHaveChanged();

  runtime::FormWindowEvents* mEvents;  // null once the window goes
  bool mWatchingWindow = false;
  bool mActivateWhenExposed = false;
  runtime::PixelsRef mPixels;  // the picture's pixels, which mPicture shows
  QImage mPicture;
  QPointF mPressGlobal;
  Qt::MouseButton mPressButton = Qt::NoButton;
};

}  // namespace qt_frontend
