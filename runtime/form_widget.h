#pragma once

#include <QPixmap>
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

  void SetPicture(QPixmap picture);
  [[nodiscard]] const QPixmap& Picture() const { return mPicture; }

  std::function<void(QMouseEvent&)> onBackgroundPress;
  std::function<void()> onCloseRequest;

  // Starts moving the window with the button that is down on its background.
  void BeginDrag();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPixmap mPicture;
  QPointF mPressGlobal;
  Qt::MouseButton mPressButton = Qt::NoButton;
};

}  // namespace runtime
