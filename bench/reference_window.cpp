// SPDX-License-Identifier: MIT
// The yardstick: a bare frameless 320 x 240 Qt window with three line edits,
// and (built with REFERENCE_TIMER) the same with an empty 10 ms timer.
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  window.setWindowTitle(QStringLiteral("Reference"));
  window.setFixedSize(320, 240);
  for (int i = 0; i < 3; ++i) {
    auto* field = new QLineEdit(&window);
    field->setGeometry(64, 59 + 47 * i, 81, 21);
  }
#ifdef REFERENCE_TIMER
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [] {});
  timer.start(10);
#endif
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  window.move(screen.center() - QPoint(160, 120));
  window.show();
  return QApplication::exec();
}
