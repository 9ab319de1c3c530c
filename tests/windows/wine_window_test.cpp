// SPDX-License-Identifier: MIT
// zorvane.exe under wine in a private Xvfb (with a window manager, so that
// minimising means something), driven as the X tests drive the Linux
// program: typing, the keypad and keys worked from the keyboard, pastes,
// the copy menu to the clipboard, the drag, minimise and close, the keys'
// pictures as the pointer comes, presses and goes, and the largest sizes
// read back whole. Behaviour only: wine draws fonts and controls its own
// way, so no pixel is compared with the Linux program's.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "program_under_test.h"
#include "screen_reading.h"
#include "x_server.h"

namespace {

using namespace std::chrono_literals;
using x11_test::ClientOutput;
using x11_test::Eventually;
using x11_test::RunClient;
using x11_test::RunningProgram;
using x11_test::XServer;

// Where the design puts things, in the window's pixels.
const QPoint kSizeField(104, 69);
const QPoint kFat32Field(104, 113);
const QRect kFat32Text(64, 103, 81, 21);
const QRect kNtfsText(64, 153, 81, 21);
const QPoint kCopy(51, 197);
const QPoint kClear(139, 197);
const QPoint kMinimise(277, 14);
const QPoint kClose(305, 14);
const QPoint kBackground(6, 120);
const QRect kKey5(232, 96, 35, 35);
QPoint Key(char digit) {
  switch (digit) {
    case '0': return {249, 193};
    default: {
      const int n = digit - '1';
      return {209 + 40 * (n % 3), 73 + 40 * (n / 3)};
    }
  }
}

// One X server, window manager and wine prefix for every test: making a
// prefix takes seconds, and wine's server then stays warm between starts.
struct WineDesktop {
  WineDesktop() : server(1024, 768) {
    char folder[] = "/tmp/zorvane-wine-window.XXXXXX";
    if (mkdtemp(folder) == nullptr) throw std::runtime_error("no folder for a wine prefix");
    scratch = folder;
    prefix = scratch + "/prefix";
    Wine("wineboot --init");
    // Wine has neither of the designs' faces: its font replacements stand
    // WenQuanYi in for them, as a font-linked Windows would draw them.
    for (const char* face : {"微软雅黑", "宋体"}) {
      Wine(std::string("wine reg add 'HKCU\\Software\\Wine\\Fonts\\Replacements' /v '") + face +
           "' /d 'WenQuanYi Micro Hei' /f");
    }
    windowManager = std::make_unique<RunningProgram>(server, "/usr/bin/openbox", Environment());
    Eventually([&] { return !ClientOutput(server, {"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).empty(); });
  }
  ~WineDesktop() {
    windowManager.reset();
    Wine("wineserver -k");
    std::system(("rm -rf '" + scratch + "'").c_str());
  }

  [[nodiscard]] std::vector<std::pair<std::string, std::string>> Environment() const {
    return {{"WINEPREFIX", prefix},
            {"WINEDEBUG", "-all"},
            {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"},
            {"ZORVANE_EXE", x11_test::ProgramUnderTest()}};
  }
  void Wine(const std::string& command) const {
    const std::string line = "env WINEPREFIX='" + prefix + "' WINEDEBUG=-all DISPLAY=" + server.Display() +
                             " WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' " + command +
                             " >/dev/null 2>&1";
    if (std::system(line.c_str()) != 0 && command.rfind("wineserver", 0) != 0) {
      throw std::runtime_error("failed: " + command);
    }
  }

  XServer server;
  std::string scratch;
  std::string prefix;
  std::unique_ptr<RunningProgram> windowManager;
};

WineDesktop& Desktop() {
  static WineDesktop desktop;
  return desktop;
}
XServer& Server() { return Desktop().server; }

std::string Wrapper() {
  const std::string test = __FILE__;
  return test.substr(0, test.rfind('/')) + "/run_zorvane_exe.sh";
}

// The window manager frames every window it manages, so windows are found
// by their title and placed where their own window lies within the frame.
xcb_window_t WindowTitled(const std::string& title) {
  const std::string found = ClientOutput(Server(), {"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"});
  return found.empty() ? 0 : static_cast<xcb_window_t>(std::stoul(found));
}

QRect Place(xcb_window_t window) {
  const std::string shell = ClientOutput(Server(), {"xdotool", "getwindowgeometry", "--shell", std::to_string(window)});
  auto value = [&shell](const std::string& name) {
    const std::size_t at = shell.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(shell.c_str() + at + name.size() + 1);
  };
  return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
}

// The two outputs for the largest size, six nines.
struct Output {
  const char* field;
  QRect place;
  const char* value;
};
const Output kLargestOutputs[] = {{"FAT32", kFat32Text, "1027998968"}, {"NTFS", kNtfsText, "1023998977"}};

// What the screen shows of a field once OCR reads `value` there; what it
// last showed when it never does, a failure then noted.
QImage ShownOnceItReads(const QRect& onScreen, const char* value) {
  QImage shown;
  EXPECT_TRUE(Eventually([&] {
    shown = Server().Grab(onScreen);
    return x11_test::ReadDigits(shown).toStdString() == value;
  }, 20s)) << "read " << x11_test::ReadDigits(shown).toStdString();
  return shown;
}

class ZorvaneOnWine : public testing::Test {
 protected:
  void SetUp() override {
    MoveToScreen(QPoint(1000, 700));
    mProgram = std::make_unique<RunningProgram>(Server(), Wrapper(), Desktop().Environment());
    ASSERT_TRUE(Eventually([&] { return (mWindow = WindowTitled("Zorvane 2\\.0")) != 0; }, 60s))
        << "the window did not appear";
    ASSERT_TRUE(Eventually([&] { return Place(mWindow).size() == QSize(320, 240); }));
    mFrame = Place(mWindow);
    RunClient(Server(), {"xdotool", "windowactivate", "--sync", std::to_string(mWindow)});
    ASSERT_NO_FATAL_FAILURE(Settle());
  }
  // The window manager has given the window the keyboard; once the key
  // under the pointer shows its hover picture, wine has handled that too,
  // since the server reports events in the order they happen.
  void Settle() const {
    // From the key's picture once it holds still: a window just shown or
    // restored may still be drawing.
    MoveTo(QPoint(160, 20));
    QImage away;
    QImage last;
    ASSERT_TRUE(Eventually([&] {
      away = KeyPicture();
      const bool still = !away.isNull() && away == last;
      last = away;
      return still;
    }, 20s));
    MoveTo(QPoint(236, 99));
    ASSERT_TRUE(Eventually([&] { return KeyPicture() != away; }, 20s)) << "the program does not follow the pointer";
    MoveTo(QPoint(160, 20));
    ASSERT_TRUE(Eventually([&] { return KeyPicture() == away; }, 20s));
  }
  // The top left of the 5 key as the screen shows it.
  [[nodiscard]] QImage KeyPicture() const { return Server().Grab(QRect(OnScreen(kKey5.topLeft()), QSize(16, 14))); }
  void TearDown() override { mProgram.reset(); }

  [[nodiscard]] QPoint OnScreen(QPoint inWindow) const { return inWindow + Place(mWindow).topLeft(); }
  void MoveToScreen(QPoint at) const {
    RunClient(Server(), {"xdotool", "mousemove", std::to_string(at.x() - 1), std::to_string(at.y()), "mousemove",
                         std::to_string(at.x()), std::to_string(at.y())});
  }
  void MoveTo(QPoint inWindow) const { MoveToScreen(OnScreen(inWindow)); }
  void Click(QPoint inWindow, int button = 1) const {
    MoveTo(inWindow);
    RunClient(Server(), {"xdotool", "click", std::to_string(button)});
  }
  void Keys(const std::vector<std::string>& keys) const {
    std::vector<std::string> words = {"xdotool", "key", "--delay", "40"};
    words.insert(words.end(), keys.begin(), keys.end());
    RunClient(Server(), words);
  }
  void Type(const std::string& text) const { RunClient(Server(), {"xdotool", "type", "--delay", "60", text}); }
  void SetClipboard(const std::string& text) const {
    // xclip goes on serving the text until another client takes it.
    RunClient(Server(), {"sh", "-c", "printf %s \"$1\" | xclip -i -selection clipboard", "sh", text});
  }
  [[nodiscard]] std::string Clipboard() const {
    return ClientOutput(Server(), {"xclip", "-o", "-selection", "clipboard"});
  }
  // Whether a popup menu shows: a window of the program's of a menu's
  // size, which neither the main window nor a tooltip has.
  [[nodiscard]] static bool MenuShown() {
    for (const xcb_window_t window : Server().ShownWindows()) {
      const QRect place = Server().Geometry(window);
      if (place.width() < 200 && place.height() >= 45) return true;
    }
    return false;
  }
  // One of the copy menu's items (1 the size, 2 FAT32, 3 NTFS) as the
  // clipboard then holds it; "(nothing)" when nothing was copied.
  [[nodiscard]] std::string Copied(int item) const {
    SetClipboard("(nothing)");
    Click(kCopy);
    if (!Eventually([&] { return MenuShown(); }, 10s)) return "(no menu)";
    std::vector<std::string> keys(static_cast<std::size_t>(item), "Down");
    keys.push_back("Return");
    Keys(keys);
    // A disabled item closes nothing: the user then leaves with Escape.
    if (!Eventually([&] { return !MenuShown(); }, 3s)) Keys({"Escape"});
    EXPECT_TRUE(Eventually([&] { return !MenuShown(); }, 10s)) << "the menu did not close";
    Eventually([&] { return Clipboard() != "(nothing)"; }, 3s);
    return Clipboard();
  }
  [[nodiscard]] std::string WindowState() const {
    return ClientOutput(Server(), {"xprop", "-id", std::to_string(mWindow), "WM_STATE"});
  }

  std::unique_ptr<RunningProgram> mProgram;
  xcb_window_t mWindow = 0;
  QRect mFrame;
};

TEST_F(ZorvaneOnWine, OpensCentredWithItsTitleAndTakesTheKeyboard) {
  EXPECT_EQ(mFrame, QRect(352, 264, 320, 240)) << "centred on the 1024 x 768 screen";
  Type("123");
  EXPECT_EQ(Copied(1), "123") << "typed into the size field, which has the keyboard";
  EXPECT_EQ(Copied(2), "126440");
  EXPECT_EQ(Copied(3), "125955");
}

TEST_F(ZorvaneOnWine, TheKeypadAndKeysWorkedFromTheKeyboardTypeDigits) {
  Click(kClear);
  // Two quick clicks on the 4 key are two digits.
  MoveTo(Key('4'));
  RunClient(Server(), {"xdotool", "click", "--repeat", "2", "--delay", "60", "1"});
  // Tab from the size field to the key 1: Space types once, Enter once more.
  Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "space", "Return"});
  EXPECT_EQ(Copied(1), "4411");
  for (const char digit : std::string("567890")) Click(Key(digit));
  EXPECT_EQ(Copied(1), "441156") << "six digits at most";
}

TEST_F(ZorvaneOnWine, PastesKeepToTheLimitAndTheFirstLineWhileCtrlVIsRefused) {
  const struct {
    const char* name;
    const char* clipboard;
    std::vector<std::string> keys;
    const char* size;
  } rows[] = {
      {"Shift+Insert of seven digits", "1234567", {"shift+Insert"}, "123456"},
      {"Shift+Insert of two lines", "12\n34", {"shift+Insert"}, "12"},
      {"Ctrl+V, which the size field refuses", "77", {"ctrl+v"}, "(nothing)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Click(kClear);
    Click(kSizeField);
    SetClipboard(row.clipboard);
    Keys(row.keys);
    EXPECT_EQ(Copied(1), row.size);
  }
  // The field's own context menu pastes by the same rules.
  Click(kClear);
  SetClipboard("4567890");
  Click(kSizeField, 3);
  ASSERT_TRUE(Eventually([&] { return MenuShown(); }, 10s)) << "no context menu";
  Keys({"p"});
  ASSERT_TRUE(Eventually([&] { return !MenuShown(); }, 10s)) << "the context menu did not close";
  EXPECT_EQ(Copied(1), "456789");
}

TEST_F(ZorvaneOnWine, AKeyReplacesASelectionMadeBeforeTheFocusMoved) {
  Click(kSizeField);
  Type("12345");
  Keys({"Home", "Right", "shift+Right", "shift+Right"});
  Click(kFat32Field);
  Click(Key('9'));
  EXPECT_EQ(Copied(1), "1945");
}

TEST_F(ZorvaneOnWine, TheCopyItemsCopyNothingWhileNoSizeIsTyped) {
  Click(kClear);
  EXPECT_EQ(Copied(1), "(nothing)");
  EXPECT_EQ(Copied(2), "(nothing)");
}

TEST_F(ZorvaneOnWine, AKeyShowsItsHoverAndPressedPictures) {
  auto key = [&] { return KeyPicture(); };
  auto settled = [&](const QImage& before) {
    QImage shown;
    QImage last;
    Eventually([&] {
      shown = key();
      const bool held = !shown.isNull() && shown != before && shown == last;
      last = shown;
      return held;
    });
    return shown;
  };
  MoveTo(QPoint(160, 20));
  const QImage normal = settled(QImage());
  MoveTo(QPoint(236, 99));
  const QImage hover = settled(normal);
  RunClient(Server(), {"xdotool", "mousedown", "1"});
  const QImage pressed = settled(hover);
  RunClient(Server(), {"xdotool", "mouseup", "1"});
  EXPECT_NE(hover, normal);
  EXPECT_NE(pressed, hover);
  EXPECT_TRUE(Eventually([&] { return key() == hover; }, 10s)) << "hover again after the click";
  MoveTo(QPoint(160, 20));
  EXPECT_TRUE(Eventually([&] { return key() == normal; }, 10s)) << "normal once the pointer has left";
  MoveToScreen(QPoint(1000, 700));
  MoveTo(QPoint(236, 99));
  EXPECT_TRUE(Eventually([&] { return key() == hover; }, 10s)) << "hover again, coming from outside the window";
  MoveToScreen(QPoint(1000, 700));
  EXPECT_TRUE(Eventually([&] { return key() == normal; }, 10s)) << "normal once the pointer left the window";
  // A jump of the pointer straight onto the next key, crossing no background.
  MoveTo(QPoint(236, 99));
  EXPECT_TRUE(Eventually([&] { return key() == hover; }, 10s));
  MoveTo(Key('6'));
  EXPECT_TRUE(Eventually([&] { return key() == normal; }, 10s)) << "normal once the pointer is on the next key";
}

TEST_F(ZorvaneOnWine, TheLargestSizesReadWholeAndTheFat32OneInRed) {
  Type("999999");
  MoveToScreen(QPoint(1000, 700));
  for (const Output& output : kLargestOutputs) {
    SCOPED_TRACE(output.field);
    const QImage shown = ShownOnceItReads(QRect(OnScreen(output.place.topLeft()), output.place.size()), output.value);
    // Every digit whole: the ink keeps clear of both edges of the field.
    const QRect ink = x11_test::DarkInk(shown, shown.rect(), 160);
    EXPECT_GT(ink.left(), 0) << "cut at the start";
    EXPECT_LT(ink.right(), shown.width() - 1) << "cut at the end";
  }
  const QImage fat32 = Server().Grab(QRect(OnScreen(kFat32Text.topLeft()), kFat32Text.size()));
  EXPECT_GT(x11_test::ShareOf(fat32, fat32.rect(), qRgb(255, 0, 0), 90), 0.02) << "above 32 GB in red";
}

TEST_F(ZorvaneOnWine, TheBackgroundDragsTheWindowWithAnyButton) {
  for (const int button : {1, 3, 2}) {
    SCOPED_TRACE(button);
    const QPoint from = OnScreen(kBackground);
    const QRect before = Place(mWindow);
    RunClient(Server(), {"xdotool", "mousemove", std::to_string(from.x()), std::to_string(from.y()), "mousedown",
                         std::to_string(button), "sleep", "0.2", "mousemove", std::to_string(from.x() + 30),
                         std::to_string(from.y() + 20), "sleep", "0.2", "mousemove", std::to_string(from.x() + 50),
                         std::to_string(from.y() + 30), "sleep", "0.2", "mouseup", std::to_string(button)});
    EXPECT_TRUE(Eventually([&] { return Place(mWindow).topLeft() == before.topLeft() + QPoint(50, 30); }, 10s))
        << "the window is at " << Place(mWindow).x() << "," << Place(mWindow).y();
  }
}

TEST_F(ZorvaneOnWine, MinimisesAndComesBackAndTheCloseButtonEndsIt) {
  Click(kMinimise);
  EXPECT_TRUE(Eventually([&] { return WindowState().find("Iconic") != std::string::npos; }, 10s));
  RunClient(Server(), {"xdotool", "windowactivate", std::to_string(mWindow)});
  EXPECT_TRUE(Eventually([&] { return WindowState().find("Normal") != std::string::npos; }, 10s));
  ASSERT_NO_FATAL_FAILURE(Settle());
  Type("7");
  EXPECT_EQ(Copied(2), "7192") << "the restored window works as before";
  Click(kClose);
  EXPECT_EQ(mProgram->WaitForExit(30s), 0) << "the close button ends the program with status 0";
}

// The desktop at 150 %: the window is drawn at twice its size, pixel for
// pixel, and its fields' text with it, so the largest sizes still read
// whole. (Wine scales no window for a monitor of its own accord; a program
// aware of the scale, as Zorvane is, draws itself at it.)
TEST(ZorvaneOnWineScaled, DrawsAtTwiceItsSizeAt150Percent) {
  Desktop().Wine("wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 144 /f");
  Desktop().Wine("wineserver -k");
  struct Restore {
    ~Restore() {
      Desktop().Wine("wine reg add 'HKCU\\Control Panel\\Desktop' /v LogPixels /t REG_DWORD /d 96 /f");
      Desktop().Wine("wineserver -k");
    }
  } restore;
  RunningProgram program(Server(), Wrapper(), Desktop().Environment());
  xcb_window_t window = 0;
  ASSERT_TRUE(Eventually([&] { return (window = WindowTitled("Zorvane 2\\.0")) != 0; }, 60s));
  ASSERT_TRUE(Eventually([&] { return Place(window).size() == QSize(640, 480); }, 20s))
      << "the window is " << Place(window).width() << " x " << Place(window).height();
  RunClient(Server(), {"xdotool", "windowactivate", "--sync", std::to_string(window)});
  const QPoint origin = Place(window).topLeft();
  // As the other tests do, the keys only once the program follows the
  // pointer: it has then handled its activation too.
  const QRect key(origin + kKey5.topLeft() * 2, QSize(32, 28));
  const QImage away = Server().Grab(key);
  const QPoint over = origin + QPoint(236, 99) * 2;
  RunClient(Server(), {"xdotool", "mousemove", std::to_string(over.x()), std::to_string(over.y())});
  ASSERT_TRUE(Eventually([&] { return Server().Grab(key) != away; }, 20s)) << "no hover picture at twice the size";
  RunClient(Server(), {"xdotool", "type", "--delay", "60", "999999"});
  for (const Output& output : kLargestOutputs) {
    SCOPED_TRACE(output.field);
    ShownOnceItReads(QRect(origin + output.place.topLeft() * 2, output.place.size() * 2), output.value);
  }
}

}  // namespace
