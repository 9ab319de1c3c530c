// SPDX-License-Identifier: MIT
#include "qt/application.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "qt/platform/display_check.h"
#include "qt/platform/key_repeat.h"
#include "qt/platform/platform.h"
#include "qt/platform/pointer_tracker.h"
#include "qt/platform/session_bus.h"
#include "qt/qt_window_system.h"
#include "runtime/forms/start_up.h"
#include "runtime/values/picture.h"

namespace qt_frontend {

Application::Application(int& argc, char** argv, const char* name, const char* desktopId) {
  QApplication::setApplicationName(QString::fromUtf8(name));
  QGuiApplication::setDesktopFileName(QString::fromUtf8(desktopId));
  ChooseDisplayScaling();
  mApp = std::make_unique<QApplication>(argc, argv);
  // Work done ahead on another thread may use Qt: it ends before Qt goes.
  qAddPostRoutine(runtime::FinishDecodingAhead);
  mWindowSystem = std::make_unique<QtWindowSystem>();
  UseDetectableKeyRepeat();
  // From before the first window shows, so that no entry is missed.
  if (OnWayland()) {
    mPointer = std::make_unique<PointerTracker>(PointerTracker::Source::kOwnWindows);
  } else if (OnX11()) {
    mPointer = std::make_unique<PointerTracker>(PointerTracker::Source::kX11Crossings);
  }
  ConnectSessionBusAhead();
}

Application::~Application() {
  // Qt's Wayland plugin can deadlock while it takes its connection down
  // (its event thread waits for a read that the main thread will never
  // make), leaving a program whose window has gone running for ever. By now
  // the program has ended and has nothing left to keep, so should Qt not be
  // done within a few seconds the process ends itself with the status it
  // was going to return.
  if (mApp != nullptr && OnWayland()) {
    std::thread([status = mExitStatus] {
      std::this_thread::sleep_for(std::chrono::seconds(5));
      std::_Exit(status);
    }).detach();
  }
  mPointer.reset();
  mWindowSystem.reset();
  mApp.reset();
}

namespace {

// A factor rounded to a whole number, at least 1 (1.5 becomes 2).
QByteArray WholeFactor(const QByteArray& factor) {
  bool ok = false;
  const double value = factor.trimmed().toDouble(&ok);
  if (!ok || !(value > 0) || value > 16) return factor;
  return QByteArray::number(std::max(1.0, std::floor(value + 0.5)));
}

}  // namespace

bool Application::FindDisplay(int argc, const char* const* argv, const char* command) {
  const std::optional<std::string> missing = MissingDisplay(argc, argv, SystemDisplaySearch());
  if (!missing) return true;
  std::fprintf(stderr, "%s: needs a graphical session, but %s\n", command, missing->c_str());
  return false;
}

void Application::ChooseDisplayScaling() {
  // Factors the platform reports are rounded by Qt; factors the desktop sets
  // through the environment (as some desktops do) are not, so round them here.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
    qputenv("QT_SCALE_FACTOR", WholeFactor(qgetenv("QT_SCALE_FACTOR")));
  }
  if (qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")) {
    QList<QByteArray> screens = qgetenv("QT_SCREEN_SCALE_FACTORS").split(';');
    for (QByteArray& screen : screens) {
      const qsizetype equals = screen.lastIndexOf('=');
      screen = equals < 0 ? WholeFactor(screen) : screen.left(equals + 1) + WholeFactor(screen.mid(equals + 1));
    }
    qputenv("QT_SCREEN_SCALE_FACTORS", screens.join(';'));
  }
}

int Application::Run(const std::function<runtime::Form&()>& startup) {
  if (const std::optional<int> ended = runtime::ShowStartUpForm(startup)) {
    mExitStatus = *ended;
    return mExitStatus;
  }
  mWindowSystem->SetEventLoopRunning(true);
  mExitStatus = QApplication::exec();
  mWindowSystem->SetEventLoopRunning(false);
  return mExitStatus;
}

}  // namespace qt_frontend
