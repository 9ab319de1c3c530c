// SPDX-License-Identifier: MIT
// Any bytes as a form design: either a form, built with its controls and
// then unloaded without leaving a device context, bitmap or palette behind,
// or a run-time error; never a crash, a hang or an exception reaching Qt.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image_button/register.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/design/form_design.h"
#include "runtime/win32/gdi.h"
#include "runtime/program.h"
#include "runtime/design/property_bag.h"
#include "runtime/runtime_error.h"
#include "qt_fuzz_setup.h"

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// The files a design may name: a strip, a skin, an icon and a button's
// saved settings.
QByteArray File(std::string_view name) {
  static const QByteArray strip = [] {
    QImage image(175, 35, QImage::Format_RGB32);
    image.fill(Qt::blue);
    return Encoded(image, "JPG");
  }();
  static const QByteArray settings = [] {
    runtime::PropertyBag bag;
    bag.WriteProperty("backpicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(strip)));
    bag.WriteProperty("caption", runtime::Variant::FromString(QStringLiteral("1")));
    const std::string bytes = bag.ToBytes();
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }();
  static const QByteArray icon = Encoded(QImage(16, 16, QImage::Format_ARGB32), "ICO");
  if (name.ends_with(".bag")) return settings;
  if (name.ends_with(".jpg")) return strip;
  if (name.ends_with(".ico")) return icon;
  runtime::Raise(runtime::kLoadError, "no file " + std::string(name));
}

// The same for every input: the control classes a design may name.
const runtime::ControlClasses& Classes() {
  static const runtime::ControlClasses classes = [] {
    runtime::ControlClasses made;
    image_button::RegisterIButton(made);
    return made;
  }();
  return classes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz_support::StartQt(argc, argv);
  Classes();
  File("warm.bag");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  runtime::Program program;
  program.SetErrorSink([](const runtime::RuntimeError&) {});
  const runtime::gdi::ObjectCounts before = runtime::gdi::LiveObjects();
  try {
    const runtime::DesignNode design = runtime::ParseFormDesign(text, "fuzz.frm");
    runtime::Form form(design, Classes(), File);
  } catch (const runtime::RuntimeError&) {
  }
  if (!(runtime::gdi::LiveObjects() == before)) {
    std::fprintf(stderr, "an unloaded form left device contexts, bitmaps or palettes behind\n");
    std::abort();
  }
  fuzz_support::Housekeeping();
  fuzz_support::CountInput();
  return 0;
}
