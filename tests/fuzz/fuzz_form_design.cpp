// SPDX-License-Identifier: MIT
// Any bytes as a form design: either a form, built with its controls and
// then unloaded without leaving a device context, bitmap or palette behind,
// or a run-time error; never a crash, a hang or an exception escaping. The
// form is built on the window system made for tests.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "front_end/test_window_system.h"
#include "fuzz_setup.h"
#include "image_button/register.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/forms/control_classes.h"
#include "runtime/forms/form.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/values/picture.h"
#include "runtime/win32/gdi.h"
#include "support/picture_file.h"

namespace {

// The files a design may name: a strip, a skin, an icon and a button's
// saved settings.
std::string File(std::string_view name) {
  static const std::string strip =
      test_support::FlatPictureFile(175, 35, runtime::MakeRgb(0, 0, 255), "jpeg");
  static const std::string settings = [] {
    runtime::PropertyBag bag;
    bag.WriteProperty("backpicture", runtime::Variant::FromPicture(runtime::Picture::FromFile(strip)));
    bag.WriteProperty("caption", runtime::Variant::FromString(u"1"));
    return bag.ToBytes();
  }();
  static const std::string icon = test_support::PictureFile(runtime::Pixels(16, 16, 0, true), "ico");
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

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // Never torn down: libFuzzer ends the process with exit().
  new test_front_end::TestWindowSystem;
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
  fuzz_support::CountInput();
  return 0;
}
