// SPDX-License-Identifier: MIT
// A long random session on the real window: clicks on every button, typed
// and pasted texts of every kind, copy-menu choices, hovering and timer
// ticks. Afterwards the window must still answer, every output must be the
// formula's value for the last input that converted, nothing may have been
// reported, and every device context, bitmap and palette made on the way
// must be gone again.
#include <QClipboard>
#include <random>

#include "calc/size_formulas.h"
#include "main_window/main_window_fixture.h"
#include "runtime/controls/line_edit_box.h"
#include "runtime/controls/menu.h"
#include "runtime/win32/gdi.h"

namespace {

using test_support::MainWindowTest;

constexpr int kSteps = 30000;

const char* const kButtons[] = {"iButton2", "iButton3", "iButton4", "iButton5", "iButton6", "iButton7", "iButton8",
                                "iButton9", "iButton10", "iButton11", "iButton12", "iButton14"};

const char* const kPastes[] = {"",       "1",     "007",   "999999", "32",   "33",    "1E400", "-1E400", "1e3",
                               "&HFF",   "&O17",  "40abc", " 12 ",   "abc",  "3 3",   "-0",    ".5",     "1.5",
                               "数据一", "１２", "\t7\n8", "99999999999", "1.75E305", "0.0001", "+5"};

const Qt::Key kKeys[] = {Qt::Key_0, Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_A, Qt::Key_Minus, Qt::Key_Period,
                         Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right,
                         Qt::Key_Home, Qt::Key_End, Qt::Key_Return, Qt::Key_E};

std::string Utf8(const QString& text) { return text.toStdString(); }

TEST_F(MainWindowTest, ALongRandomSessionLeavesEverythingConsistentAndNothingBehind) {
  std::mt19937 random(20261207);
  auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  QApplication::setActiveWindow(&form.Widget());
  const runtime::gdi::ObjectCounts start = runtime::gdi::LiveObjects();
  QString fat32 = Text(1);
  QString ntfs = Text(2);
  int copies = 0;

  for (int step = 0; step < kSteps; ++step) {
    bool cleared = false;
    const int action = pick(100);
    if (action < 35) {
      const char* name = kButtons[pick(static_cast<int>(std::size(kButtons)))];
      cleared = std::string(name) == "iButton14";
      Click(name);
      if (form.WindowState() == 1) form.Widget().showNormal();
    } else if (action < 70) {
      const Qt::Key key = kKeys[pick(static_cast<int>(std::size(kKeys)))];
      QTest::keyClick(Field(pick(10) == 0 ? 1 + pick(2) : 0).Widget(), key,
                      pick(12) == 0 ? Qt::ControlModifier : Qt::NoModifier);
    } else if (action < 82) {
      QGuiApplication::clipboard()->setText(QString::fromUtf8(kPastes[pick(static_cast<int>(std::size(kPastes)))]));
      Field(0).Field().selectAll();
      QTest::keyClick(Field(0).Widget(), Qt::Key_Insert, Qt::ShiftModifier);
    } else if (action < 97) {
      QWidget* surface = Button(kButtons[pick(static_cast<int>(std::size(kButtons)))]).Widget();
      const QPoint at(pick(40) - 2, pick(40) - 2);
      QCursor::setPos(surface->mapToGlobal(at));
      QTest::mouseMove(surface, at);
    } else if (action < 99 && copies < 150) {
      ++copies;
      ChooseCopyItem(pick(3));
    } else {
      QTest::qWait(12);  // at least one refresh tick
    }
    QCoreApplication::processEvents();

    const std::string input = Utf8(Text(0));
    ASSERT_LE(Text(0).size(), 6) << "step " << step;
    const auto expectedFat32 = calc::Fat32SizeText(input);
    const auto expectedNtfs = calc::NtfsSizeText(input);
    if (expectedFat32.Ok()) fat32 = QString::fromStdString(expectedFat32.Value());
    else if (cleared) fat32.clear();
    if (expectedNtfs.Ok()) ntfs = QString::fromStdString(expectedNtfs.Value());
    else if (cleared) ntfs.clear();
    ASSERT_EQ(Text(1), fat32) << "step " << step << " input '" << input << "'";
    ASSERT_EQ(Text(2), ntfs) << "step " << step << " input '" << input << "'";
  }

  EXPECT_TRUE(errors.numbers.empty());
  EXPECT_FALSE(project.Ended());
  EXPECT_EQ(runtime::gdi::LiveObjects(), start) << "no picture, bitmap, DC or palette was leaked";
  // The window still answers.
  Click("iButton14");
  Click("iButton8");
  EXPECT_EQ(Text(0), QStringLiteral("2"));
  EXPECT_EQ(Text(1), QStringLiteral("2052"));
  EXPECT_TRUE(Eventually([&] { return project.Form2().a.Enabled(); }));
}

}  // namespace
