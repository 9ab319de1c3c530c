// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>

#include "image_button/ibutton_fixture.h"
#include "runtime/controls/control_site.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/gdi.h"
#include "support/raised_error.h"

namespace {

using runtime::ControlSite;
using runtime::kFalse;
using runtime::kTrue;
using runtime::PropertyBag;
using runtime::Variant;
using test_support::IButtonPeer;
using test_support::IButtonTest;

std::vector<std::string> Names(const PropertyBag& bag) {
  std::vector<std::string> names;
  for (const auto& entry : bag.Entries()) names.push_back(entry.name);
  return names;
}

TEST_F(IButtonTest, DefaultsAreLeftOutAndFontDrawModeAndColourAlwaysSaved) {
  const PropertyBag saved = ControlSite::SaveSettings(Button());
  EXPECT_EQ(Names(saved), (std::vector<std::string>{"_extentx", "_extenty", "BackPicture", "cFont", "cDrawMode",
                                                    "cForeColor"}));
  EXPECT_EQ(saved.ReadProperty("_extentx", {}).ToLong(), 926);
}

TEST_F(IButtonTest, EverySettingAwayFromItsDefaultIsSavedInOrderButNeverValue) {
  image_button::iButton& b = Button();
  b.LetStyle(1);
  b.LetValue(kTrue);
  b.LetEnabled(kFalse);
  b.LetcBackStyle(0);
  b.LetCaption(u"OK");
  b.LetAutoSize(kFalse);
  const PropertyBag saved = ControlSite::SaveSettings(b);
  EXPECT_EQ(Names(saved), (std::vector<std::string>{"_extentx", "_extenty", "BackPicture", "Enabled", "Style",
                                                    "cBackStyle", "Caption", "AutoSize", "cFont", "cDrawMode",
                                                    "cForeColor"}));
  // The stored form reads back to the same control, unchecked.
  const PropertyBag stored = PropertyBag::FromBytes(saved.ToBytes());
  EXPECT_EQ(stored.ReadProperty("style", {}).ToLong(), 1);
  EXPECT_EQ(stored.ReadProperty("Value", Variant::FromString(u"none")).ToString(), u"none");
}

PropertyBag SavedSettings() {
  PropertyBag bag;
  bag.WriteProperty("_extentx", Variant::FromLong(926));
  bag.WriteProperty("_extenty", Variant::FromLong(926));
  bag.WriteProperty("backpicture",
                    Variant::FromPicture(runtime::Picture::FromFile(test_support::StripFile(5, 35, 35))));
  bag.WriteProperty("caption", Variant::FromString(u"1"));
  auto font = std::make_shared<runtime::Font>();
  font->name = u"宋体";
  font->size = 9;
  font->charset = 134;
  font->weight = 400;
  bag.WriteProperty("cfont", Variant::FromFont(font));
  bag.WriteProperty("cdrawmode", Variant::FromInteger(13));
  bag.WriteProperty("cforecolor", Variant::FromLong(static_cast<std::int32_t>(0x80000012)));
  return bag;
}

class LoadedFromSettings : public IButtonTest {
 protected:
  LoadedFromSettings() : IButtonTest(SavedSettings) {}
};

TEST_F(LoadedFromSettings, LowerCaseKeysLoadAndTheSettingsSaveBackByteForByte) {
  image_button::iButton& b = Button();
  EXPECT_EQ(b.Caption(), u"1");
  EXPECT_EQ(b.cFont()->name, u"宋体");
  EXPECT_EQ(b.cDrawMode(), 13);
  EXPECT_EQ(b.cForeColor(), 0x80000012u);
  EXPECT_EQ(b.AutoSize(), kTrue) << "missing AutoSize loads as True";
  EXPECT_EQ(b.Style(), 0) << "missing Style loads a push button";
  EXPECT_EQ(ControlSite::SaveSettings(b).ToBytes(), SavedSettings().ToBytes());
}

class WrongKindOfSetting : public IButtonTest {
 protected:
  static PropertyBag Settings() {
    PropertyBag bag = test_support::DefaultIButtonSettings();
    bag.WriteProperty("Enabled", Variant::FromBoolean(kFalse));
    bag.WriteProperty("Caption", Variant::FromPicture(runtime::Picture::FromFile(test_support::StripFile(1, 2, 2))));
    return bag;
  }
  WrongKindOfSetting() : IButtonTest(Settings) {}
};

TEST_F(WrongKindOfSetting, IsReportedAsATypeMismatchAndWhatWasReadStays) {
  EXPECT_EQ(errors.numbers, std::vector<int>{13});
  EXPECT_EQ(Button().Enabled(), kFalse) << "settings read before the bad one keep their values";
  EXPECT_EQ(Peer().StateImageCount(), 4u);
}

// Every persisted property tells the runtime of its change, by its own name,
// once the change is drawn; Value is not persisted and tells nothing.
TEST_F(IButtonTest, EachPersistedPropertyAnnouncesItsChangeAfterTheRedraw) {
  image_button::iButton& b = Button();
  const IButtonPeer peer(b);
  auto font = std::make_shared<runtime::Font>();
  font->name = u"Serif";
  font->size = 12;
  const struct {
    const char* property;  // "" for none
    bool redraws;
    std::function<void()> change;
  } rows[] = {
      {"cDrawMode", true, [&] { b.LetcDrawMode(4); }},
      {"cFont", true, [&] { b.SetcFont(font); }},
      {"cForeColor", true, [&] { b.LetcForeColor(255); }},
      {"AutoSize", false, [&] { b.LetAutoSize(kFalse); }},
      {"AutoSize", true, [&] { b.LetAutoSize(kTrue); }},
      {"BackPicture", true,
       [&] { b.SetBackPicture(runtime::Picture::FromFile(test_support::StripFile(10, 35, 35))); }},
      {"Style", true, [&] { b.LetStyle(1); }},
      {"", true, [&] { b.LetValue(kTrue); }},
      {"Enabled", true, [&] { b.LetEnabled(kFalse); }},
      {"cBackStyle", true, [&] { b.LetcBackStyle(0); }},
      {"Caption", true, [&] { b.LetCaption(u"OK"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.property);
    std::vector<std::string> names;
    int drawsAtNotice = -1;
    ControlSite::OnPropertyChanged(b, [&](std::string_view name) {
      names.emplace_back(name);
      drawsAtNotice = peer.DrawButtonCount();
    });
    const int drawsBefore = peer.DrawButtonCount();
    row.change();
    if (*row.property == '\0') {
      EXPECT_TRUE(names.empty());
    } else {
      EXPECT_EQ(names, std::vector<std::string>{row.property});
      EXPECT_EQ(drawsAtNotice, peer.DrawButtonCount()) << "nothing is drawn after the notice";
    }
    EXPECT_EQ(peer.DrawButtonCount() > drawsBefore, row.redraws);
  }
}

TEST_F(IButtonTest, ABackStyleBeyondSixteenBitsIsAnOverflowThatChangesNothing) {
  image_button::iButton& b = Button();
  const IButtonPeer peer(b);
  int notices = 0;
  ControlSite::OnPropertyChanged(b, [&](std::string_view) { ++notices; });
  const struct {
    std::int32_t style;
    bool fits;
  } rows[] = {{32767, true}, {32768, false}, {-32768, true}, {-32769, false}, {65536, false}, {0, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.style);
    const std::int16_t before = peer.BackStyle();
    const int draws = peer.DrawButtonCount();
    const int noticesBefore = notices;
    const int error = test_support::ErrorNumberOf([&] { b.LetcBackStyle(row.style); });
    if (row.fits) {
      EXPECT_EQ(error, 0);
      EXPECT_EQ(b.cBackStyle(), row.style);
      EXPECT_EQ(notices, noticesBefore + 1);
    } else {
      EXPECT_EQ(error, runtime::kOverflow);
      EXPECT_EQ(peer.BackStyle(), before);
      EXPECT_EQ(peer.DrawButtonCount(), draws) << "nothing is drawn";
      EXPECT_EQ(notices, noticesBefore) << "and nothing announced";
    }
  }
}

TEST_F(IButtonTest, AutoSizeFalseKeepsTheCutAndTheSizeTrueCutsAgainAndSnaps) {
  image_button::iButton& b = Button();
  const IButtonPeer peer(b);
  const int cuts = peer.CutCount();
  b.LetAutoSize(kFalse);
  b.SetWidth(900);
  EXPECT_EQ(peer.CutCount(), cuts);
  EXPECT_EQ(b.Width(), 900.0f) << "without AutoSize the size is the container's";
  b.LetAutoSize(kTrue);
  EXPECT_EQ(peer.CutCount(), cuts + 1);
  EXPECT_EQ(b.Width(), 525.0f) << "one 35-pixel frame";
  EXPECT_EQ(b.Height(), 525.0f);
}

// A toggle button's second four pictures show while Value is True; going
// back to a push button keeps Value but draws from the first four only.
TEST_F(IButtonTest, AToggleDrawsTheSecondHalfWhileCheckedAndStyleZeroTheFirstHalfAgain) {
  image_button::iButton& b = Button();
  b.SetBackPicture(runtime::Picture::FromFile(test_support::StripFile(10, 35, 35)));
  b.LetStyle(1);
  b.LetValue(kTrue);
  EXPECT_EQ(Peer().DrawnState(), 0);
  EXPECT_EQ(PixelAt(5, 5), test_support::kFrameColours[4]) << "entry 4 is Normal while checked";
  b.LetStyle(0);
  EXPECT_EQ(b.Value(), kTrue) << "Style leaves Value alone";
  EXPECT_EQ(Peer().StateImageCount(), 4u);
  // Cut as a push button, the strip gives four frames of 70 pixels, each
  // starting with an even frame of the test strip.
  for (int state : {0, 1, 2, 3}) {
    SCOPED_TRACE(state);
    b.cMouseAction(state, kTrue);
    EXPECT_EQ(PixelAt(5, 5), test_support::kFrameColours[2 * state]);
  }
}

// A form of one iButton, named B, 525 twips square, from saved settings.
struct OneButtonForm {
  OneButtonForm(runtime::ControlClasses& classes, const std::string& settings)
      : form(runtime::ParseFormDesign(test_support::OneButtonDesign("", "  Width = 525\n  Height = 525\n"), "t.frm"),
             classes, [settings](std::string_view) { return settings; }) {}
  runtime::Form form;
};

// Loading assigns members directly: no notice, whatever it reads.
TEST(IButtonLoading, ReadingSavedSettingsAnnouncesNothing) {
  test_front_end::TestWindowSystem ws;
  runtime::Program program;
  test_support::RecordedErrors errors{program};
  std::vector<std::string> notices;
  runtime::ControlClasses classes;
  classes.Register("Zorvane.iButton", [&](runtime::FormWindow& form) {
    auto button = std::make_unique<image_button::iButton>(form);
    ControlSite::OnPropertyChanged(*button, [&](std::string_view name) { notices.emplace_back(name); });
    return button;
  });
  PropertyBag bag = test_support::DefaultIButtonSettings();
  bag.WriteProperty("Enabled", Variant::FromBoolean(kFalse));
  bag.WriteProperty("Style", Variant::FromLong(1));
  bag.WriteProperty("Caption", Variant::FromString(u"OK"));
  bag.WriteProperty("AutoSize", Variant::FromBoolean(kFalse));
  bag.WriteProperty("cBackStyle", Variant::FromInteger(0));
  OneButtonForm loaded(classes, bag.ToBytes());
  loaded.form.Show();
  EXPECT_EQ(loaded.form.ControlNamed<image_button::iButton>("B").Caption(), u"OK");
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(errors.numbers.empty());
}

// A setting that cannot be read stops the reading there: what came before
// stays read, what comes after keeps the value the control started with.
class UnreadableStyle : public IButtonTest {
 protected:
  static PropertyBag Settings() {
    PropertyBag bag = test_support::DefaultIButtonSettings();
    bag.WriteProperty("Caption", Variant::FromString(u"A"));
    bag.WriteProperty("Style", Variant::FromString(u"toggle"));
    bag.WriteProperty("AutoSize", Variant::FromBoolean(kTrue));
    bag.WriteProperty("cForeColor", Variant::FromLong(255));
    auto font = std::make_shared<runtime::Font>();
    font->name = u"Stored Face";
    font->size = 20;
    bag.WriteProperty("cFont", Variant::FromFont(font));
    bag.WriteProperty("cDrawMode", Variant::FromInteger(4));
    return bag;
  }
  UnreadableStyle() : IButtonTest(Settings, 900, 600) {}
};

TEST_F(UnreadableStyle, IsATypeMismatchAndTheLaterSettingsKeepTheirInitialValues) {
  image_button::iButton& b = Button();
  EXPECT_EQ(errors.numbers, std::vector<int>{runtime::kTypeMismatch});
  EXPECT_EQ(b.Caption(), u"A") << "read before Style";
  EXPECT_EQ(b.Style(), 0);
  EXPECT_EQ(b.AutoSize(), kFalse) << "a new control's AutoSize, not the saved True";
  EXPECT_EQ(b.Width(), 900.0f) << "so the control keeps the form's size";
  EXPECT_EQ(b.cForeColor(), 0x80000012u);
  EXPECT_NE(b.cFont()->name, u"Stored Face");
  EXPECT_EQ(b.cDrawMode(), 13);
}

// Terminate lets go of the strip and every picture cut from it; once the
// form is gone, nothing the control made is left.
TEST(IButtonLoading, UnloadingReleasesEveryPictureAndHandle) {
  test_front_end::TestWindowSystem ws;
  const runtime::gdi::ObjectCounts before = runtime::gdi::LiveObjects();
  std::weak_ptr<runtime::Picture> strip;
  std::vector<std::weak_ptr<runtime::Picture>> cut;
  {
    runtime::Program program;
    runtime::ControlClasses classes;
    image_button::RegisterIButton(classes);
    OneButtonForm loaded(classes, test_support::DefaultIButtonSettings().ToBytes());
    loaded.form.Show();
    image_button::iButton& b = loaded.form.ControlNamed<image_button::iButton>("B");
    b.cMouseAction(1, kTrue);
    // The surface paints what it was asked to when its pixels are needed;
    // until then it holds the picture, as a screen holds what it shows.
    (void)IButtonPeer(b).ImagePixels();
    strip = b.BackPicture();
    for (int state = 0; state < 4; ++state) cut.push_back(IButtonPeer(b).StateImageFor(state));
    ASSERT_FALSE(strip.expired());
    ControlSite::Unload(b);
    EXPECT_TRUE(strip.expired()) << "the strip is released";
    for (const auto& picture : cut) EXPECT_TRUE(picture.expired()) << "and every state picture";
    const runtime::gdi::ObjectCounts surfaceOnly{before.dcs + 1, before.bitmaps + 1, before.palettes};
    EXPECT_EQ(runtime::gdi::LiveObjects(), surfaceOnly) << "only the surface's own DC and image are left";
  }
  EXPECT_EQ(runtime::gdi::LiveObjects(), before);
}

}  // namespace
