// SPDX-License-Identifier: MIT
#include <QClipboard>
#include <QMimeData>

#include "main_window/main_window_fixture.h"
#include "runtime/controls/line_edit_box.h"
#include "runtime/controls/menu.h"

namespace {

using test_support::MainWindowTest;

QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

TEST_F(MainWindowTest, EachItemCopiesItsFieldExactlyAsShown) {
  Type(0, QStringLiteral("007"));
  ASSERT_TRUE(Eventually([&] { return project.Form2().a.Enabled(); }));
  const struct {
    int item;
    const char* copied;
  } rows[] = {{0, "007"}, {1, "7192"}, {2, "7170"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.item);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    ChooseCopyItem(row.item);
    EXPECT_EQ(ClipboardText(), QString::fromUtf8(row.copied));
  }
}

TEST_F(MainWindowTest, TheItemsAreEnabledOnlyWhileASizeIsTyped) {
  ASSERT_TRUE(Eventually([&] { return Form2Exists() && !project.Form2().a.Enabled(); }));
  QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
  ChooseCopyItem(0);
  EXPECT_EQ(ClipboardText(), QStringLiteral("untouched")) << "a disabled item cannot be chosen";
  Click("iButton3");
  EXPECT_TRUE(Eventually([&] {
    const auto& menu = project.Form2();
    return menu.a.Enabled() && menu.b.Enabled() && menu.c.Enabled();
  }));
}

TEST_F(MainWindowTest, PastedLettersEnableTheItemsWhileTheSizesStayEmpty) {
  QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
  QTest::keyClick(Field(0).Widget(), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Text(0), QStringLiteral("abc"));
  ASSERT_TRUE(Eventually([&] { return project.Form2().b.Enabled(); }));
  auto* rich = new QMimeData;
  rich->setHtml(QStringLiteral("<b>old</b>"));
  rich->setText(QStringLiteral("old"));
  QGuiApplication::clipboard()->setMimeData(rich);
  ChooseCopyItem(1);
  EXPECT_EQ(ClipboardText(), QString());
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml()) << "every copy replaces all formats";
}

TEST_F(MainWindowTest, LettersPastedOverANumberLeaveItsFat32SizeToCopy) {
  Type(0, QStringLiteral("12"));
  Field(0).Field().selectAll();
  QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
  QTest::keyClick(Field(0).Widget(), Qt::Key_Insert, Qt::ShiftModifier);
  ASSERT_EQ(Text(0), QStringLiteral("abc"));
  ASSERT_TRUE(Eventually([&] { return project.Form2().b.Enabled(); }));
  ChooseCopyItem(1);
  EXPECT_EQ(ClipboardText(), QStringLiteral("12332")) << "the size of the last number";
}

TEST_F(MainWindowTest, TheMenuOpensAtTheCopyButtonsBottomLeftWhereverThePointerIs) {
  Type(0, QStringLiteral("1"));
  QPoint openedAt;
  QTimer::singleShot(0, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      openedAt = popup->pos();
      QTest::keyClick(popup, Qt::Key_Escape);
    }
  });
  QTest::keyClick(Button("iButton13").Widget(), Qt::Key_Space);
  EXPECT_EQ(openedAt, form.Widget().mapToGlobal(QPoint(16, 215)));
}

}  // namespace
