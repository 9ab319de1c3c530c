#include <gtest/gtest.h>

#include "image_button/ibutton_fixture.h"

namespace {

using runtime::kFalse;
using runtime::kTrue;
using runtime::PropertyBag;
using runtime::Variant;
using test_support::IButtonTest;

std::vector<std::string> Names(const PropertyBag& bag) {
  std::vector<std::string> names;
  for (const auto& entry : bag.Entries()) names.push_back(entry.name);
  return names;
}

TEST_F(IButtonTest, DefaultsAreLeftOutAndFontDrawModeAndColourAlwaysSaved) {
  const PropertyBag saved = Button().SaveSettings();
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
  b.LetCaption(QStringLiteral("OK"));
  b.LetAutoSize(kFalse);
  const PropertyBag saved = b.SaveSettings();
  EXPECT_EQ(Names(saved), (std::vector<std::string>{"_extentx", "_extenty", "BackPicture", "Enabled", "Style",
                                                    "cBackStyle", "Caption", "AutoSize", "cFont", "cDrawMode",
                                                    "cForeColor"}));
  // The stored form reads back to the same control, unchecked.
  const PropertyBag stored = PropertyBag::FromBytes(saved.ToBytes());
  EXPECT_EQ(stored.ReadProperty("style", {}).ToLong(), 1);
  EXPECT_EQ(stored.ReadProperty("Value", Variant::FromString(QStringLiteral("none"))).ToString(),
            QStringLiteral("none"));
}

class LoadedFromSettings : public IButtonTest {
 protected:
  static PropertyBag Settings() {
    PropertyBag bag;
    bag.WriteProperty("_extentx", Variant::FromLong(926));
    bag.WriteProperty("_extenty", Variant::FromLong(926));
    bag.WriteProperty("backpicture", Variant::FromPicture(runtime::Picture::FromFile(test_support::StripFile(5, 35, 35))));
    bag.WriteProperty("caption", Variant::FromString(QStringLiteral("1")));
    auto font = std::make_shared<runtime::Font>();
    font->name = QString::fromUtf8("宋体");
    font->size = 9;
    font->charset = 134;
    font->weight = 400;
    bag.WriteProperty("cfont", Variant::FromFont(font));
    bag.WriteProperty("cdrawmode", Variant::FromInteger(13));
    bag.WriteProperty("cforecolor", Variant::FromLong(static_cast<std::int32_t>(0x80000012)));
    return bag;
  }
  LoadedFromSettings() : IButtonTest(Settings()) {}
};

TEST_F(LoadedFromSettings, LowerCaseKeysLoadAndTheSettingsSaveBackByteForByte) {
  image_button::iButton& b = Button();
  EXPECT_EQ(b.Caption(), QStringLiteral("1"));
  EXPECT_EQ(b.cFont()->name, QString::fromUtf8("宋体"));
  EXPECT_EQ(b.cDrawMode(), 13);
  EXPECT_EQ(b.cForeColor(), 0x80000012u);
  EXPECT_EQ(b.AutoSize(), kTrue) << "missing AutoSize loads as True";
  EXPECT_EQ(b.Style(), 0) << "missing Style loads a push button";
  EXPECT_EQ(b.SaveSettings().ToBytes(), Settings().ToBytes());
}

class WrongKindOfSetting : public IButtonTest {
 protected:
  static PropertyBag Settings() {
    PropertyBag bag = DefaultSettings();
    bag.WriteProperty("Enabled", Variant::FromBoolean(kFalse));
    bag.WriteProperty("Caption", Variant::FromPicture(runtime::Picture::FromFile(test_support::StripFile(1, 2, 2))));
    return bag;
  }
  WrongKindOfSetting() : IButtonTest(Settings()) {}
};

TEST_F(WrongKindOfSetting, IsReportedAsATypeMismatchAndWhatWasReadStays) {
  EXPECT_EQ(errors.numbers, std::vector<int>{13});
  EXPECT_EQ(Button().GetEnabled(), kFalse) << "settings read before the bad one keep their values";
  EXPECT_EQ(Button().StateImageCount(), 4u);
}

}  // namespace
