// SPDX-License-Identifier: MIT
// The runtime's values whatever the window system: colours keep their
// classic light values, fonts their designed whole pixel size, a stand-in
// face is chosen by what it has to show, and text crosses between UTF-8 and
// UTF-16 without ever producing half a character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "front_end/test_window_system.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"
#include "runtime/values/font_faces.h"
#include "runtime/values/pixels.h"
#include "runtime/values/text.h"

namespace {

TEST(SystemColours, AreTheClassicLightOnesWhateverTheDesktop) {
  const struct {
    runtime::Colour colour;
    runtime::Rgb shown;
  } rows[] = {{runtime::kSystemWindowBackground, runtime::MakeRgb(255, 255, 255)},
              {runtime::kSystemWindowText, runtime::MakeRgb(0, 0, 0)},
              {runtime::kSystemButtonText, runtime::MakeRgb(0, 0, 0)},
              {0x8000000F, runtime::MakeRgb(240, 240, 240)},  // button face
              {255, runtime::MakeRgb(255, 0, 0)},
              {0x00C08000, runtime::MakeRgb(0, 128, 192)}};
  for (const auto& row : rows) EXPECT_EQ(runtime::ToRgb(row.colour), row.shown) << std::hex << row.colour;
}

TEST(Fonts, AreDrawnAtTheirDesignedWholePixelSize) {
  const struct {
    double points;
    int pixels;
  } rows[] = {{10.5, 14}, {9, 12}, {12, 16}, {8.25, 11}, {0, 12}, {-3, 12}, {5000, 12}};
  for (const auto& row : rows) {
    runtime::Font font;
    font.name = u"WenQuanYi Micro Hei";
    font.size = row.points;
    EXPECT_EQ(font.PixelSize(), row.pixels) << row.points << " pt";
  }
}

// Families as wide as two real ones: Zen Hei's digits are a pixel wider at
// 14 pixels than Micro Hei's, enough for the largest sizes not to fit.
class StandIns : public testing::Test {
 protected:
  StandIns() {
    ws.SetInstalledFamilies({kMicro, kZen});
    ws.SetWidthPercent(kZen, 100);
    ws.SetWidthPercent(kMicro, 90);
  }

  static constexpr const char16_t* kMicro = u"WenQuanYi Micro Hei";
  static constexpr const char16_t* kZen = u"WenQuanYi Zen Hei";
  test_front_end::TestWindowSystem ws;
};

TEST_F(StandIns, AStandInIsChosenByWhatItMustShow) {
  runtime::Font font;
  font.size = 10.5;
  const std::vector<std::u16string> sizes = {u"1027998968", u"1023998977"};
  const struct {
    std::vector<std::u16string> families;
    int room;
    std::u16string chosen;
  } rows[] = {
      {{kZen, kMicro}, 77, kMicro},                   // the first is too wide: the next that fits
      {{kZen, kMicro}, 200, kZen},                    // both fit: the first
      {{u"No Such Face", kZen, kMicro}, 77, kMicro},  // a missing face is passed over
      {{kZen, kMicro}, 10, kMicro},                   // none fits: the narrowest
      {{u"No Such Face"}, 77, u""},                   // none installed
  };
  for (const auto& row : rows) {
    std::string families;
    for (const auto& family : row.families) families += runtime::Utf8(family) + ",";
    SCOPED_TRACE(families + " in " + std::to_string(row.room));
    EXPECT_EQ(runtime::FamilyThatFits(row.families, font, sizes, row.room), row.chosen);
  }
}

TEST_F(StandIns, AFaceIsDrawnInItselfOrTheFirstInstalledStandInWhateverItsCase) {
  runtime::SetStandIns(u"Design Face", {u"No Such Face", kZen, kMicro});
  EXPECT_EQ(runtime::StandIns(u"DESIGN FACE").size(), 3u) << "faces match without regard to case";
  EXPECT_EQ(runtime::ResolvedFamily(u"Design Face"), kZen);
  EXPECT_EQ(runtime::ResolvedFamily(u"wenquanyi micro hei"), kMicro) << "an installed face, as installed";
  runtime::SetStandIns(u"Design Face", {kMicro});
  EXPECT_EQ(runtime::ResolvedFamily(u"Design Face"), kMicro) << "new stand-ins are heard of";
  EXPECT_EQ(runtime::ResolvedFamily(u"Nowhere Face"), u"Nowhere Face") << "left to the window system";
}

TEST(Text, CrossesBetweenUtf8AndUtf16WithoutHalfCharacters) {
  EXPECT_EQ(runtime::Utf16("数据一 1"), u"数据一 1");
  EXPECT_EQ(runtime::Utf8(u"数据一 \U0001F600"), "数据一 \xF0\x9F\x98\x80");
  EXPECT_EQ(runtime::Utf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  const struct {
    const char* name;
    std::string utf8;
    std::u16string utf16;
  } broken[] = {
      {"a lone continuation byte", "1\x80" "2", u"1\uFFFD" "2"},
      {"a sequence cut short", "1\xE6\x95", u"1\uFFFD\uFFFD"},
      {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond the last character", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& row : broken) EXPECT_EQ(runtime::Utf16(row.utf8), row.utf16) << row.name;
  EXPECT_EQ(runtime::Utf8(std::u16string{u'1', char16_t(0xD800)}), "1\xEF\xBF\xBD") << "a lone high half";
  EXPECT_EQ(runtime::Utf8(std::u16string{char16_t(0xDC00), u'2'}), "\xEF\xBF\xBD" "2") << "a lone low half";
}

TEST(Pixels, DrawingAndCopyingStayInsideBothImages) {
  runtime::Pixels target(4, 3, runtime::MakeRgb(0, 0, 0));
  const runtime::Pixels source(2, 2, runtime::MakeRgb(9, 9, 9));
  // Partly outside at every edge: only what overlaps is drawn.
  runtime::DrawPixels(target.View(), -1, -1, 2, 2, source.View(), false);
  runtime::CopyPixels(target.View(), 3, 2, 5, 5, source.View(), 1, 1);
  runtime::CopyPixels(target.View(), 1, 0, 2, 2, source.View(), -1, 1);
  const char* expected[] = {"x.x.", "....", "...x"};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(target.At(x, y) == runtime::MakeRgb(9, 9, 9), expected[y][x] == 'x') << x << "," << y;
    }
  }
  // Stretched, nearest pixel; half see-through pixels blend over what is there.
  runtime::Pixels half(1, 1, runtime::MakeRgb(255, 255, 255, 128), true);
  runtime::Pixels under(2, 2, runtime::MakeRgb(0, 0, 0));
  runtime::DrawPixels(under.View(), 0, 0, 2, 2, half.View(), true);
  EXPECT_EQ(under.At(1, 1), runtime::MakeRgb(128, 128, 128));
}

}  // namespace
