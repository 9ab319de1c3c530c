// SPDX-License-Identifier: MIT
#pragma once

#include <sanitizer/allocator_interface.h>

#include <QApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <cstdio>
#include <cstdlib>

namespace fuzz_support {

// A decoded picture larger than this takes the same way through the runtime
// as a small one, only slower: a damaged JPEG that declares thousands of
// pixels a side decodes to grey in tens of milliseconds, and the fuzzer
// would spend its time there instead of in the code under test.
constexpr int kPictureLimitMegabytes = 2;

// What every target that runs Qt needs once, before its first input: the
// application on the offscreen platform (unless told another), quiet image
// decoders, and the picture limit. The application is never torn down:
// libFuzzer ends the process with exit(), and by the time objects of static
// duration go, Qt's per-thread data has gone already.
inline void StartQt(int* argc, char*** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  new QApplication(*argc, *argv);
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

// With ZORVANE_FUZZ_HEAP_EVERY=N, prints the bytes the process holds on its
// heap after every N inputs, so a long run shows whether memory grows.
inline void CountInput() {
  static const long every = [] {
    const char* text = std::getenv("ZORVANE_FUZZ_HEAP_EVERY");
    return text != nullptr ? std::strtol(text, nullptr, 10) : 0L;
  }();
  static long inputs = 0;
  if (every > 0 && ++inputs % every == 0) {
    std::fprintf(stderr, "heap: %zu bytes live after %ld inputs\n", __sanitizer_get_current_allocated_bytes(),
                 inputs);
  }
}

}  // namespace fuzz_support
