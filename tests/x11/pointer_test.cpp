// SPDX-License-Identifier: MIT
// The real program in a real X server (Xvfb), its keys judged by the
// pictures they show as a user moves the pointer: hover, pressed and normal
// wherever the pointer goes, whether it leaves fast, onto another program's
// window lying over ours, onto a key's tooltip, or with the button held and
// back again; while the pointer rests on a key the program asks the server
// nothing about it, and starting, the keys ask once between them; the
// window, activated only once it shows, still takes the keyboard; and its
// minimise button asks again for as long as the window stays on screen.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <chrono>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "program_under_test.h"
#include "request_recorder.h"
#include "x_server.h"

namespace {

using namespace std::chrono_literals;
using x11_test::Eventually;
using x11_test::RunClient;
using x11_test::RunningProgram;
using x11_test::XServer;


// Where the design puts the 5 key, in the window's pixels.
const QRect kKey5(232, 96, 35, 35);

XServer& Server() {
  static XServer server(1024, 768);
  return server;
}

// The program, with the pictures its 5 key shows in each state, taken as a
// user brings them about.
class KeyPictures : public testing::Test {
 protected:
  void SetUp() override {
    mRecorder = std::make_unique<x11_test::RequestRecorder>(Server());
    MoveTo(QPoint(-300, -200));  // well away from where the window will be
    mProgram = std::make_unique<RunningProgram>(
        Server(), x11_test::ProgramUnderTest(), std::vector<std::pair<std::string, std::string>>{{"QT_SCALE_FACTOR", ""}});
    mWindow = mProgram->WaitForWindow("Zorvane 2.0", 30s);
    ASSERT_NE(mWindow, 0u) << "the window did not appear";
    mFrame = Server().Geometry(mWindow);
    ASSERT_EQ(mFrame.size(), QSize(320, 240));

    normal = Settled(QImage());
    // In the top left of the key: its tooltip, below and right of the
    // pointer, never covers the part of the key these pictures show.
    MoveTo(QPoint(234, 98));
    MoveTo(QPoint(236, 99));
    hover = Settled(normal);
    Press();
    pressed = Settled(hover);
    Release();
    ASSERT_TRUE(Shows(hover)) << "hover again after a click";
    MoveTo(QPoint(160, 20));  // onto the window's background
    ASSERT_TRUE(Shows(normal));
    ASSERT_NE(normal, pressed);
  }

  void TearDown() override {
    for (const xcb_window_t window : mOtherWindows) Server().CloseWindow(window);
  }

  [[nodiscard]] QRect OnScreen(const QRect& inWindow) const { return inWindow.translated(mFrame.topLeft()); }
  // The top left corner of the 5 key as the screen shows it: what the
  // tooltip and the other program's windows below leave uncovered.
  [[nodiscard]] QImage Key() const { return Server().Grab(QRect(OnScreen(kKey5).topLeft(), QSize(16, 14))); }
  // Whether a window other than ours lies there.
  [[nodiscard]] bool Shown(const QRect& place) const {
    for (const xcb_window_t window : Server().ShownWindows()) {
      if (window != mWindow && Server().Geometry(window) == place) return true;
    }
    return false;
  }
  [[nodiscard]] bool Shows(const QImage& picture) const {
    return Eventually([&] { return Key() == picture; }, 10s);
  }
  // What the key comes to show, once it shows something other than `before`
  // and holds it.
  [[nodiscard]] QImage Settled(const QImage& before) const {
    QImage shown;
    QImage last;
    Eventually([&] {
      shown = Key();
      const bool held = !shown.isNull() && shown != before && shown == last;
      last = shown;
      return held;
    });
    return shown;
  }

  // To a place in the window, or (negative) a place on the screen to the
  // window's top left, as a hand moves it: the last pixel of the way is a
  // motion of its own. (A pointer that jumps into a window lands there with
  // its entry alone, which Qt passes on to no widget.)
  void MoveTo(QPoint inWindow) const {
    const QPoint onScreen = inWindow.x() < 0 ? -inWindow : inWindow + mFrame.topLeft();
    RunClient(Server(), {"xdotool", "mousemove", std::to_string(onScreen.x() - 1), std::to_string(onScreen.y()),
                         "mousemove", std::to_string(onScreen.x()), std::to_string(onScreen.y())});
  }
  void Press() const { RunClient(Server(), {"xdotool", "mousedown", "1"}); }
  void Release() const { RunClient(Server(), {"xdotool", "mouseup", "1"}); }

  // A window of another program over a part of ours.
  xcb_window_t ShowOtherWindow(const QRect& inWindow) {
    mOtherWindows.push_back(Server().ShowWindow(OnScreen(inWindow), 0x808080));
    return mOtherWindows.back();
  }
  void CloseOtherWindow(xcb_window_t window) {
    Server().CloseWindow(window);
    std::erase(mOtherWindows, window);
  }

  // The questions about the pointer the program has asked so far.
  [[nodiscard]] int PointerQuestions() const {
    int asked = 0;
    for (const auto& request : mRecorder->Requests()) {
      using Kind = x11_test::RequestRecorder::Request::Kind;
      if (request.kind == Kind::kQueryPointer || request.kind == Kind::kTranslateCoordinates) ++asked;
    }
    return asked;
  }

  QImage normal;
  QImage hover;
  QImage pressed;
  xcb_window_t mWindow = 0;
  QRect mFrame;

 private:
  std::unique_ptr<x11_test::RequestRecorder> mRecorder;
  std::unique_ptr<RunningProgram> mProgram;
  std::vector<xcb_window_t> mOtherWindows;
};

TEST_F(KeyPictures, LeavingTheWindowFastShowsNormal) {
  MoveTo(QPoint(240, 100));
  ASSERT_TRUE(Shows(hover));
  MoveTo(QPoint(-5, -5));  // straight from the key to the far corner of the screen
  EXPECT_TRUE(Shows(normal));
  // Back, though not to the very pixel it left from: Qt passes on no motion
  // to where it last saw the pointer.
  MoveTo(QPoint(243, 102));
  EXPECT_TRUE(Shows(hover));
}

TEST_F(KeyPictures, AnotherProgramsWindowOverTheKeyCountsAsOutside) {
  // Over the right half of the key: the pointer on it is inside the key's
  // rectangle, but on another program's window.
  const xcb_window_t other = ShowOtherWindow(QRect(250, 80, 60, 60));
  MoveTo(QPoint(236, 99));
  ASSERT_TRUE(Shows(hover));
  MoveTo(QPoint(256, 99));
  EXPECT_TRUE(Shows(normal)) << "moved onto the other window";
  MoveTo(QPoint(240, 99));
  EXPECT_TRUE(Shows(hover));

  // Mapped over the resting pointer, with no motion at all.
  CloseOtherWindow(other);
  MoveTo(QPoint(258, 118));
  ASSERT_TRUE(Shows(hover));
  const xcb_window_t above = ShowOtherWindow(QRect(250, 110, 40, 40));
  EXPECT_TRUE(Shows(normal)) << "covered where the pointer rests";
  CloseOtherWindow(above);
  MoveTo(QPoint(259, 118));
  EXPECT_TRUE(Shows(hover));
}

TEST_F(KeyPictures, LeavingOntoTheKeysTooltipShowsNormal) {
  MoveTo(QPoint(240, 98));
  ASSERT_TRUE(Shows(hover));
  // The tooltip opens below and right of the resting pointer, over the
  // lower half of the key.
  const QRect key = OnScreen(kKey5);
  QRect tooltip;
  ASSERT_TRUE(Eventually([&] {
    for (const xcb_window_t window : Server().ShownWindows()) {
      const QRect place = Server().Geometry(window);
      if (window != mWindow && place.intersects(key)) tooltip = place;
    }
    return !tooltip.isEmpty();
  })) << "no tooltip opened over the key";
  const QPoint onTooltip = (tooltip & key).center();
  MoveTo(-onTooltip);
  EXPECT_TRUE(Shows(normal)) << "on the tooltip, inside the key's rectangle";
  // The tooltip goes once the pointer is on it; the key hears nothing more
  // until the pointer moves.
  EXPECT_TRUE(Eventually([&] { return Server().Geometry(mWindow) == mFrame && !Shown(tooltip); }));
  EXPECT_EQ(Key(), normal);
  MoveTo(-(onTooltip + QPoint(1, 0)));
  EXPECT_TRUE(Shows(hover));
}

TEST_F(KeyPictures, PressedOnlyWhileTheHeldPointerIsOverTheKey) {
  const xcb_window_t other = ShowOtherWindow(QRect(252, 80, 60, 60));
  MoveTo(QPoint(236, 99));
  ASSERT_TRUE(Shows(hover));
  Press();
  ASSERT_TRUE(Shows(pressed));
  MoveTo(QPoint(160, 20));
  EXPECT_TRUE(Shows(normal)) << "dragged onto the window's background";
  MoveTo(QPoint(237, 100));
  EXPECT_TRUE(Shows(pressed)) << "back on the key";
  MoveTo(QPoint(258, 100));
  EXPECT_TRUE(Shows(normal)) << "dragged onto the other program's window over the key";
  MoveTo(QPoint(-5, -5));
  EXPECT_TRUE(Shows(normal)) << "dragged off the window";
  MoveTo(QPoint(238, 99));
  EXPECT_TRUE(Shows(pressed)) << "back on the key";
  Release();
  EXPECT_TRUE(Shows(hover)) << "released over the key";

  Press();
  ASSERT_TRUE(Shows(pressed));
  MoveTo(QPoint(258, 100));
  Release();
  EXPECT_TRUE(Shows(normal)) << "released on the other program's window";
  CloseOtherWindow(other);
}

TEST_F(KeyPictures, APointerRestingOnAKeyAsksTheServerNothing) {
  MoveTo(QPoint(240, 100));
  ASSERT_TRUE(Shows(hover));
  // Once what arriving brought has been recorded (a whole second without a
  // question: a quarter was too short a pause for a busy machine), a second
  // is twenty ticks of the key's poll.
  int before = PointerQuestions();
  for (int quiet = 0, i = 0; quiet < 4 && i < 80; ++i) {
    std::this_thread::sleep_for(250ms);
    const int now = PointerQuestions();
    quiet = now == before ? quiet + 1 : 0;
    before = now;
  }
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(PointerQuestions(), before);
  EXPECT_TRUE(Shows(hover));
}

TEST(Keys, StartingAskTheServerWhereThePointerIsOnceNotOnceEach) {
  // Each key's poll runs once after the window is made, to find the pointer
  // elsewhere; the keys do so in the same tick.
  RunClient(Server(), {"xdotool", "mousemove", "5", "5"});
  const x11_test::RequestRecorder recorder(Server());
  const RunningProgram program(Server(), x11_test::ProgramUnderTest(), {{"QT_SCALE_FACTOR", ""}});
  ASSERT_NE(program.WaitForWindow("Zorvane 2.0", 30s), 0u) << "the window did not appear";
  int asked = 0;
  // The polls end within a tick of the window showing; a second is plenty.
  std::this_thread::sleep_for(1s);
  for (const auto& request : recorder.Requests()) {
    if (request.kind == x11_test::RequestRecorder::Request::Kind::kQueryPointer) ++asked;
  }
  // Qt asks once itself as it connects.
  EXPECT_GE(asked, 1);
  EXPECT_LE(asked, 3) << "fourteen keys, one question";
}

TEST(Window, TakesTheKeyboardOnceShown) {
  const RunningProgram program(Server(), x11_test::ProgramUnderTest(), {{"QT_SCALE_FACTOR", ""}});
  const xcb_window_t window = program.WaitForWindow("Zorvane 2.0", 30s);
  ASSERT_NE(window, 0u) << "the window did not appear";
  EXPECT_TRUE(Eventually([&] {
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(Server().Connection(), xcb_get_input_focus(Server().Connection()), nullptr);
    const bool ours = focus != nullptr && focus->focus == window;
    free(focus);
    return ours;
  })) << "the keyboard went elsewhere";
}

// The requests to minimise that a window manager would hear: a connection of
// its own listening on the root window, where the program sends them.
class MinimiseRequests {
 public:
  explicit MinimiseRequests(const XServer& server)
      : mConnection(xcb_connect(server.Display().c_str(), nullptr)),
        mChangeState(server.Atom("WM_CHANGE_STATE")) {
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(mConnection, server.Root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(mConnection);
  }
  ~MinimiseRequests() { xcb_disconnect(mConnection); }
  MinimiseRequests(const MinimiseRequests&) = delete;
  MinimiseRequests& operator=(const MinimiseRequests&) = delete;

  // How many have come for `window` so far.
  int For(xcb_window_t window) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(mConnection)) {
      if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
        constexpr std::uint32_t kIconicState = 3;
        if (message->type == mChangeState && message->data.data32[0] == kIconicState) ++mSeen[message->window];
      }
      free(event);
    }
    return mSeen[window];
  }

 private:
  xcb_connection_t* mConnection;
  xcb_atom_t mChangeState;
  std::map<xcb_window_t, int> mSeen;
};

TEST(Window, MinimiseButtonAsksAgainWhileTheWindowIsStillShown) {
  // No window manager runs here, so the window stays on screen after each
  // request, as it does where the window comes back before the program has
  // seen it go: the button must keep asking, not take the window for gone.
  MinimiseRequests requests(Server());
  const RunningProgram program(Server(), x11_test::ProgramUnderTest(), {{"QT_SCALE_FACTOR", ""}});
  const xcb_window_t window = program.WaitForWindow("Zorvane 2.0", 30s);
  ASSERT_NE(window, 0u) << "the window did not appear";
  const QPoint button = Server().Geometry(window).topLeft() + QPoint(277, 14);
  for (int click = 1; click <= 3; ++click) {
    // Apart by more than the double-click time, which opens nothing.
    std::this_thread::sleep_for(1s);
    ASSERT_TRUE(RunClient(Server(), {"xdotool", "mousemove", std::to_string(button.x()), std::to_string(button.y()),
                                     "click", "1"}));
    EXPECT_TRUE(Eventually([&] { return requests.For(window) == click; }))
        << "click " << click << " on the minimise button: " << requests.For(window) << " requests";
  }
}

}  // namespace
