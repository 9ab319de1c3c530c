// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QImageReader>
#include <QLoggingCategory>

#include "fuzz_setup.h"
#include "qt/qt_window_system.h"

namespace fuzz_support {

// A decoded picture larger than this takes the same way through the runtime
// as a small one, only slower: a damaged picture that declares thousands of
// pixels a side decodes to grey in tens of milliseconds, and the fuzzer
// would spend its time there instead of in the code under test.
constexpr int kPictureLimitMegabytes = 2;

// What every target that runs on Qt needs once, before its first input: the
// application on the offscreen platform (unless told another), the Qt
// front-end as the program's window system, quiet image decoders, and the
// picture limit. Neither is ever torn down: libFuzzer ends the process with
// exit(), and by the time objects of static duration go, Qt's per-thread
// data has gone already.
inline void StartQt(int* argc, char*** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(*argc, *argv);
  new qt_frontend::QtWindowSystem;
  // Every damaged picture makes the decoder complain on standard error; at
  // thousands of inputs a second the complaints cost more than the decoding
  // and bury a finding's report.
  QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
  QImageReader::setAllocationLimit(kPictureLimitMegabytes);
}

// What the event loop would do between two inputs: Qt trims its caches on
// timers (the font cache keeps an engine for every font a design names until
// then) and deletes objects that asked to be deleted later.
inline void Housekeeping() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace fuzz_support
