// SPDX-License-Identifier: MIT
// The real program in a real X server (Xvfb), judged by what the screen
// shows: at every display scale, however the desktop sets it, the largest
// sizes show whole in their fields and a key's caption keeps its size
// against the key; on a dark desktop the fields inside the skin stay white
// with black text while the popup menu follows the desktop; and the window
// has its icon from the moment it is first mapped.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "program_under_test.h"
#include "request_recorder.h"
#include "screen_reading.h"
#include "x_server.h"

namespace {

using namespace std::chrono_literals;
using x11_test::Eventually;
using x11_test::RunClient;
using x11_test::RunningProgram;
using x11_test::XServer;


const std::string kTitle = "Zorvane 2.0";
// Where the design puts things, in the window's logical pixels.
const QRect kInputField(64, 59, 81, 21);
const QRect kFat32Field(64, 103, 81, 21);
const QRect kNtfsField(64, 153, 81, 21);
const QRect kKey5(232, 96, 35, 35);
const QRect kCopyButton(16, 180, 70, 35);
// Text is drawn black or red; nothing else inside a field or on a key's
// blue face comes near this dark.
constexpr int kInk = 100;

XServer& Server() {
  static XServer server(1920, 1080);
  return server;
}

// A place in the design, in the device pixels of a window drawn at `factor`
// whose top-left corner is at `origin`.
QRect Scaled(const QRect& logical, int factor, const QPoint& origin = {}) {
  return {origin.x() + logical.x() * factor, origin.y() + logical.y() * factor, logical.width() * factor,
          logical.height() * factor};
}

// The program, shown and with a size typed in as a user types it.
class Session {
 public:
  Session(const std::string& resources, const std::vector<std::pair<std::string, std::string>>& environment,
          const std::string& typed) {
    Server().SetResources(resources);
    mProgram = std::make_unique<RunningProgram>(Server(), x11_test::ProgramUnderTest(), environment);
    mWindow = mProgram->WaitForWindow(kTitle, 30s);
    if (mWindow == 0) return;
    mFrame = Server().Geometry(mWindow);
    const std::string id = std::to_string(mWindow);
    RunClient(Server(), {"xdotool", "windowfocus", "--sync", id});
    RunClient(Server(), {"xdotool", "type", "--delay", "40", typed});
    // Out of the window, so that no key shows its hover picture.
    RunClient(Server(), {"xdotool", "mousemove", "0", "0"});
  }

  [[nodiscard]] bool Shown() const { return mWindow != 0; }
  [[nodiscard]] const QRect& Frame() const { return mFrame; }
  // Where a place in the design lies on the screen.
  [[nodiscard]] QRect OnScreen(const QRect& logical, int factor) const {
    return Scaled(logical, factor, mFrame.topLeft());
  }

  // The window once both outputs show something and have stopped changing
  // (the input's caret blinks, so it is left out).
  [[nodiscard]] QImage Settled(int factor) const {
    QImage shown;
    QImage before;
    Eventually([&] {
      shown = Server().Grab(mFrame);
      if (shown.isNull()) return false;
      const QRect fat32 = Scaled(kFat32Field, factor);
      const QRect ntfs = Scaled(kNtfsField, factor);
      const bool written = !x11_test::DarkInk(shown, fat32, kInk).isEmpty() &&
                           !x11_test::DarkInk(shown, ntfs, kInk).isEmpty();
      const bool still = !before.isNull() && shown.copy(fat32) == before.copy(fat32) &&
                         shown.copy(ntfs) == before.copy(ntfs);
      before = shown;
      return written && still;
    });
    return shown;
  }

  [[nodiscard]] xcb_window_t Window() const { return mWindow; }

 private:
  std::unique_ptr<RunningProgram> mProgram;
  xcb_window_t mWindow = 0;
  QRect mFrame;
};

struct Scale {
  const char* name;
  int factor;  // the whole number the window is drawn at
  std::string resources;
  std::vector<std::pair<std::string, std::string>> environment;
};

// None of the test's own desktop settings reaches the program, only those a
// test gives it.
const std::vector<std::pair<std::string, std::string>> kPlainDesktop = {
    {"QT_SCALE_FACTOR", ""},           {"QT_SCREEN_SCALE_FACTORS", ""}, {"QT_AUTO_SCREEN_SCALE_FACTOR", ""},
    {"QT_ENABLE_HIGHDPI_SCALING", ""}, {"QT_QPA_PLATFORMTHEME", ""},    {"QT_STYLE_OVERRIDE", ""},
    {"GTK_THEME", ""}};

std::vector<std::pair<std::string, std::string>> With(std::vector<std::pair<std::string, std::string>> more) {
  std::vector<std::pair<std::string, std::string>> all = kPlainDesktop;
  all.insert(all.end(), more.begin(), more.end());
  return all;
}

// The caption of the 5 key as drawn at 100 %, relative to the key.
QRect CaptionAtDesignSize() {
  static const QRect caption = [] {
    const Session session("", With({}), "1");
    const QImage shown = session.Settled(1);
    return x11_test::DarkInk(shown, kKey5, kInk).translated(-kKey5.topLeft());
  }();
  return caption;
}

void PrintTo(const Scale& scale, std::ostream* out) { *out << scale.name; }

class AtDisplayScale : public testing::TestWithParam<Scale> {};

TEST_P(AtDisplayScale, TheLargestSizesShowWholeAndKeyCaptionsKeepTheirSize) {
  const Scale& scale = GetParam();
  const QRect designCaption = CaptionAtDesignSize();
  ASSERT_FALSE(designCaption.isEmpty()) << "no caption on the 5 key at 100 %";
  const Session session(scale.resources, With(scale.environment), "999999");
  ASSERT_TRUE(session.Shown()) << "the window did not appear";
  const int f = scale.factor;
  ASSERT_EQ(session.Frame().size(), QSize(320, 240) * f) << "drawn at a whole-number scale";
  const QImage shown = session.Settled(f);
  ASSERT_FALSE(shown.isNull());

  const struct {
    const char* field;
    QRect place;
    const char* value;
  } outputs[] = {{"FAT32", kFat32Field, "1027998968"}, {"NTFS", kNtfsField, "1023998977"}};
  for (const auto& output : outputs) {
    SCOPED_TRACE(output.field);
    const QRect field = Scaled(output.place, f);
    EXPECT_EQ(x11_test::ReadDigits(shown.copy(field)).toStdString(), output.value);
    // Every digit whole: the ink keeps clear of both edges of the field.
    const QRect ink = x11_test::DarkInk(shown, field, kInk);
    EXPECT_GT(ink.left(), field.left()) << "cut at the start";
    EXPECT_LT(ink.right(), field.right()) << "cut at the end";
  }

  // The caption of a key: its size and place against the key are the
  // design's, scaled by the same whole number as the key (a pixel either
  // way at 100 %).
  const QRect caption = x11_test::DarkInk(shown, Scaled(kKey5, f), kInk).translated(-Scaled(kKey5, f).topLeft());
  ASSERT_FALSE(caption.isEmpty()) << "no caption on the 5 key";
  EXPECT_NEAR(caption.width(), designCaption.width() * f, f);
  EXPECT_NEAR(caption.height(), designCaption.height() * f, f);
  EXPECT_NEAR(caption.left(), designCaption.left() * f, f);
  EXPECT_NEAR(caption.top(), designCaption.top() * f, f);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, AtDisplayScale,
    testing::Values(Scale{"Normal", 1, "", {}}, Scale{"XftDpi120", 1, "Xft.dpi:\t120\n", {}},
                    Scale{"XftDpi144", 2, "Xft.dpi:\t144\n", {}}, Scale{"XftDpi192", 2, "Xft.dpi:\t192\n", {}},
                    Scale{"XftDpi288", 3, "Xft.dpi:\t288\n", {}},
                    Scale{"ScaleFactor150", 2, "", {{"QT_SCALE_FACTOR", "1.5"}}},
                    Scale{"ScreenScaleFactors125", 1, "", {{"QT_SCREEN_SCALE_FACTORS", "1.25"}}},
                    Scale{"ScreenScaleFactors200", 2, "", {{"QT_SCREEN_SCALE_FACTORS", "2"}}}),
    [](const testing::TestParamInfo<Scale>& info) { return std::string(info.param.name); });

TEST(DarkDesktop, TheFieldsStayWhiteWithBlackTextAndTheMenuFollowsTheDesktop) {
  // Qt's GTK platform theme with GTK's dark Adwaita: a dark palette for
  // every Qt program on the desktop.
  const Session session("", With({{"QT_QPA_PLATFORMTHEME", "gtk3"}, {"GTK_THEME", "Adwaita:dark"}}), "12");
  ASSERT_TRUE(session.Shown()) << "the window did not appear";
  const QImage shown = session.Settled(1);
  ASSERT_FALSE(shown.isNull());
  for (const QRect& field : {kInputField, kFat32Field, kNtfsField}) {
    SCOPED_TRACE(field.y());
    EXPECT_GT(x11_test::ShareOf(shown, field, qRgb(255, 255, 255), 4), 0.6) << "a white field";
    const QRect ink = x11_test::DarkInk(shown, field, 60);
    EXPECT_FALSE(ink.isEmpty()) << "black text";
  }
  EXPECT_FALSE(x11_test::DarkInk(shown, kKey5, kInk).isEmpty()) << "the key's caption in black";

  // The copy menu opens below its button, drawn in the desktop's palette.
  const QRect copy = session.OnScreen(kCopyButton, 1);
  RunClient(Server(), {"xdotool", "mousemove", std::to_string(copy.center().x()), std::to_string(copy.center().y()),
                       "click", "1"});
  QRect menu;
  ASSERT_TRUE(Eventually([&] {
    for (const xcb_window_t window : Server().ShownWindows()) {
      const QRect place = Server().Geometry(window);
      if (window != session.Window() && std::abs(place.top() - copy.bottom()) <= 2) menu = place;
    }
    return !menu.isEmpty();
  })) << "no menu opened below the copy button";
  double mean = 0;
  ASSERT_TRUE(Eventually([&] {
    const QImage pixels = Server().Grab(menu);
    if (pixels.isNull()) return false;
    long long sum = 0;
    for (int y = 0; y < pixels.height(); ++y) {
      for (int x = 0; x < pixels.width(); ++x) sum += x11_test::Luminance(pixels.pixel(x, y));
    }
    mean = static_cast<double>(sum) / (pixels.width() * pixels.height());
    return mean < 100;
  }, 5s)) << "the menu is not dark: mean luminance " << mean;
  RunClient(Server(), {"xdotool", "key", "Escape"});
}

TEST(Icon, IsThereWhenTheWindowIsFirstMapped) {
  Server().SetResources("");
  const x11_test::RequestRecorder recorder(Server());
  const RunningProgram program(Server(), x11_test::ProgramUnderTest(), With({}));
  const xcb_window_t window = program.WaitForWindow(kTitle, 30s);
  ASSERT_NE(window, 0u) << "the window did not appear";
  // What the window was given before its first mapping, once the recording
  // has caught up with the mapping.
  bool iconBeforeMap = false;
  ASSERT_TRUE(Eventually([&] {
    iconBeforeMap = false;
    for (const auto& request : recorder.Requests()) {
      if (request.window != window) continue;
      if (request.kind == x11_test::RequestRecorder::Request::Kind::kMap) return true;
      iconBeforeMap = true;
    }
    return false;
  })) << "the recording missed the window's mapping";
  EXPECT_TRUE(iconBeforeMap) << "_NET_WM_ICON was set only after the window was mapped";
}

}  // namespace
