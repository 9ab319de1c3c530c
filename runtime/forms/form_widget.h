// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <functional>

namespace runtime {

// The window of a form: paints the form's picture, reports presses on its
// background and requests to close it, and remembers the press a drag would
// start from.
class FormWidget : public QWidget {
  Q_OBJECT

 public:
  FormWidget();

  void SetPicture(QImage picture);

  std::function<void(QMouseEvent&)> onBackgroundPress;
  std::function<void()> onCloseRequest;
  // The window was minimised, restored, hidden from view or shown again.
  std::function<void()> onVisibilityChange;

  // True while the window is minimised and the platform shows nothing of it.
  [[nodiscard]] bool OutOfSight() const;

  // Starts moving the window with the button that is down on its background.
  void BeginDrag();

  // Makes the window the active one (it takes the keyboard) once it is on
  // screen: asking before would hold up its first frame by a round trip to
  // the window system.
  void ActivateOnceShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void VisibilityMayHaveChanged();

  bool mWatchingWindow = false;
  bool mActivateWhenExposed = false;
  QImage mPicture;  // shared with the picture object it came from
  QPointF mPressGlobal;
  Qt::MouseButton mPressButton = Qt::NoButton;
};

}  // namespace runtime
