// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>

#include "qt/qt_window_system.h"

// Tests of the Qt front-end run on Qt's offscreen platform unless told
// otherwise, with the front-end installed as the program's window system.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  qt_frontend::QtWindowSystem windowSystem;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
