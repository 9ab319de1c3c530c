// SPDX-License-Identifier: MIT
// What assistive technology finds in the window: a window named by its
// caption, every button a pressable button named by its tooltip, every field
// named by its panel's label.
#include <QAccessible>
#include <QAccessibleActionInterface>

#include "qt/qt_main_window.h"

namespace {

using test_support::QtMainWindowTest;

TEST_F(QtMainWindowTest, EveryButtonIsAPressableButtonNamedByItsTooltip) {
  const struct {
    const char* button;
    const char* name;
  } rows[] = {{"iButton1", "关闭"}, {"iButton2", "最小化"}, {"iButton3", "1"},  {"iButton12", "0"},
              {"iButton13", "复制"}, {"iButton14", "清空"}, {"iButton11", "9"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.button);
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Surface(row.button));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), QString::fromUtf8(row.name));
    ASSERT_NE(button->actionInterface(), nullptr);
    EXPECT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(button->state().focusable);
  }
}

TEST_F(QtMainWindowTest, PressingAButtonThroughAssistiveTechnologyClicksIt) {
  for (const char* key : {"iButton5", "iButton12", "iButton8"}) {
    QAccessible::queryAccessibleInterface(Surface(key))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
  }
  EXPECT_EQ(Text(0), QStringLiteral("502"));
  EXPECT_EQ(Text(1), QStringLiteral("516052"));
}

TEST_F(QtMainWindowTest, TheFieldsAreNamedByTheirPanels) {
  const char* names[] = {"整数 GB", "FAT32 MB", "NTFS MB"};
  for (int index = 0; index < 3; ++index) {
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(FieldWidget(index));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_EQ(field->text(QAccessible::Name), QString::fromUtf8(names[index]));
  }
}

TEST_F(QtMainWindowTest, TheWindowIsAWindowNamedByItsCaptionHoldingEveryControl) {
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Window());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Window);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Zorvane 2.0"));
  int buttons = 0;
  int fields = 0;
  for (int i = 0; i < window->childCount(); ++i) {
    const QAccessible::Role role = window->child(i)->role();
    if (role == QAccessible::Button) ++buttons;
    if (role == QAccessible::EditableText) ++fields;
  }
  EXPECT_EQ(buttons, 14);
  EXPECT_EQ(fields, 3);
}

}  // namespace
