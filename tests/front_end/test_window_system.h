// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/seam/beat.h"
#include "runtime/seam/edit_field.h"
#include "runtime/seam/form_window.h"
#include "runtime/seam/popup_menu.h"
#include "runtime/seam/surface_window.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/font.h"
#include "runtime/win32/memory_gdi.h"

// A window system made for tests: every window is a record in memory, time
// passes only when a test says so, and a test plays the user (clicks, keys,
// pastes, the pointer, Tab, a menu's choice). The core runs on it exactly as
// on a real one, so the core's rules are tested with no display, natively
// and under wine.
namespace test_front_end {

class TestWindowSystem;
class TestForm;

// What every window of a form has here.
template <class Interface>
class TestChild : public Interface {
 public:
  TestChild(TestWindowSystem& system, TestForm& form, runtime::WindowHandle handle);
  ~TestChild() override;

  [[nodiscard]] runtime::WindowHandle Handle() const override { return mHandle; }
  void SetGeometry(const runtime::Rect& place) override { mPlace = place; }
  void SetVisible(bool visible) override { mVisible = visible; }
  [[nodiscard]] bool IsOnScreen() const override;
  [[nodiscard]] bool IsSetVisible() const override { return mVisible; }
  void SetEnabled(bool enabled) override { mEnabled = enabled; }
  [[nodiscard]] bool IsEnabled() const override { return mEnabled; }
  void SetToolTip(std::u16string_view tip, std::u16string_view accessibleName) override {
    mToolTip = tip;
    mAccessibleName = accessibleName;
  }
  void SetTabStop(bool stops) override { mTabStop = stops; }
  void Focus() override;

  [[nodiscard]] const runtime::Rect& Place() const { return mPlace; }
  [[nodiscard]] const std::u16string& ToolTip() const { return mToolTip; }
  [[nodiscard]] const std::u16string& AccessibleName() const { return mAccessibleName; }
  [[nodiscard]] bool TabStop() const { return mTabStop; }
  [[nodiscard]] TestForm& Form() const { return mForm; }

 protected:
  TestWindowSystem& mSystem;

 private:
  TestForm& mForm;
  runtime::WindowHandle mHandle;
  runtime::Rect mPlace;
  bool mVisible = true;
  bool mEnabled = true;
  bool mTabStop = true;
  std::u16string mToolTip;
  std::u16string mAccessibleName;
};

class TestSurface : public TestChild<runtime::SurfaceWindow> {
 public:
  TestSurface(TestWindowSystem& system, TestForm& form, runtime::WindowHandle handle, runtime::SurfaceEvents& events)
      : TestChild(system, form, handle), mEvents(events) {}

  void Repaint() override { ++mRepaints; }
  void SetOpaque(bool opaque) override { mOpaque = opaque; }
  void SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) override;
  void ClearMask() override { mMask.reset(); }

  [[nodiscard]] runtime::SurfaceEvents& Events() { return mEvents; }
  // What the window would show now.
  [[nodiscard]] runtime::Pixels Shown();
  [[nodiscard]] int Repaints() const { return mRepaints; }
  // Whether a point of the window takes the mouse (its mask lets it).
  [[nodiscard]] bool TakesMouseAt(runtime::Point local) const;
  [[nodiscard]] bool HasMask() const { return mMask.has_value(); }
  [[nodiscard]] bool Opaque() const { return mOpaque; }

 private:
  runtime::SurfaceEvents& mEvents;
  int mRepaints = 0;
  bool mOpaque = true;
  std::optional<std::vector<bool>> mMask;  // shown pixels, row by row
};

// A single-line field as a plain model: text, selection, caret.
class TestField : public TestChild<runtime::EditField> {
 public:
  TestField(TestWindowSystem& system, TestForm& form, runtime::WindowHandle handle,
            runtime::EditFieldEvents& events)
      : TestChild(system, form, handle), mEvents(events) {}

  [[nodiscard]] std::u16string Text() const override { return mText; }
  void SetText(std::u16string_view text) override;
  [[nodiscard]] int SelectionStart() const override;
  [[nodiscard]] int SelectionLength() const override;
  void Select(int start, int length) override;
  void SetCaret(int position) override;
  void ReplaceSelection(std::u16string_view text) override;
  void Backspace() override;
  [[nodiscard]] int Capacity() const override { return 32767; }
  void SetReadOnly(bool readOnly) override { mReadOnly = readOnly; }
  [[nodiscard]] bool ReadOnly() const override { return mReadOnly; }
  void SetAlignment(Alignment alignment) override { mAlignment = alignment; }
  void SetFrame(bool frame) override { mFrame = frame; }
  void SetFont(const runtime::Font& font) override { mFont = font; }
  void SetColours(runtime::Colour text, runtime::Colour background) override;
  [[nodiscard]] int TextRoom() const override { return Place().width - 4; }

  [[nodiscard]] runtime::EditFieldEvents& Events() { return mEvents; }
  [[nodiscard]] int Caret() const { return mCaret; }
  [[nodiscard]] Alignment TextAlignment() const { return mAlignment; }
  [[nodiscard]] bool Frame() const { return mFrame; }
  [[nodiscard]] const std::optional<runtime::Font>& FieldFont() const { return mFont; }
  [[nodiscard]] runtime::Colour TextColour() const { return mTextColour; }
  [[nodiscard]] runtime::Colour BackColour() const { return mBackColour; }
  // How often the colours were set: an unchanged colour must not be.
  [[nodiscard]] int ColourWrites() const { return mColourWrites; }

 private:
  void Changed();

  runtime::EditFieldEvents& mEvents;
  std::u16string mText;
  int mAnchor = 0;  // the selection's other end; the caret's when nothing is selected
  int mCaret = 0;
  bool mReadOnly = false;
  bool mFrame = true;
  Alignment mAlignment = Alignment::kLeft;
  std::optional<runtime::Font> mFont;
  runtime::Colour mTextColour = 0;
  runtime::Colour mBackColour = 0;
  int mColourWrites = 0;
};

class TestForm : public runtime::FormWindow {
 public:
  TestForm(TestWindowSystem& system, runtime::WindowHandle handle, runtime::FormWindowEvents& events);
  ~TestForm() override;

  [[nodiscard]] runtime::WindowHandle Handle() const override { return mHandle; }
  void SetName(std::string_view name) override { mName = name; }
  void SetCaption(std::u16string_view caption) override { mCaption = caption; }
  [[nodiscard]] std::u16string Caption() const override { return mCaption; }
  void SetIcon(const std::vector<runtime::PixelsRef>& sizes) override { mIcon = sizes; }
  void SetPicture(runtime::PixelsRef picture) override { mPicture = std::move(picture); }
  void SetFrameless() override { mFrameless = true; }
  void SetClientSize(int width, int height, bool fixed) override;
  void CentreOnScreen() override;
  void UseIconForProgram() override;
  void SetTabOrder(const std::vector<runtime::ChildWindow*>& order) override { mTabOrder = order; }
  void Show() override;
  void Hide() override;
  [[nodiscard]] State WindowState() const override { return mState; }
  void SetWindowState(State state) override;
  [[nodiscard]] bool OutOfSight() const override { return mState == State::kMinimized && !mShown; }
  [[nodiscard]] runtime::Point ClientToScreen(runtime::Point client) const override;

  [[nodiscard]] runtime::FormWindowEvents& Events() { return mEvents; }
  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] bool Shown() const { return mShown; }
  [[nodiscard]] bool Frameless() const { return mFrameless; }
  [[nodiscard]] bool FixedSize() const { return mFixed; }
  [[nodiscard]] const runtime::Rect& Place() const { return mPlace; }
  void MoveTo(runtime::Point topLeft);
  [[nodiscard]] const runtime::PixelsRef& Picture() const { return mPicture; }
  [[nodiscard]] const std::vector<runtime::PixelsRef>& Icon() const { return mIcon; }
  [[nodiscard]] const std::vector<runtime::ChildWindow*>& TabOrder() const { return mTabOrder; }
  [[nodiscard]] int Drags() const { return mDrags; }
  void Dragged() { ++mDrags; }
  // The desktop hides a minimised window, or shows it again.
  void SetShownByDesktop(bool shown);
  // Tells the form what it shows now, if that may have changed since it
  // last heard: the event loop's part, never inside a call of the core's.
  void SettleSight();

 private:
  TestWindowSystem& mSystem;
  runtime::WindowHandle mHandle;
  runtime::FormWindowEvents& mEvents;
  std::string mName;
  std::u16string mCaption;
  std::vector<runtime::PixelsRef> mIcon;
  runtime::PixelsRef mPicture;
  bool mFrameless = false;
  bool mFixed = false;
  bool mShown = false;
  State mState = State::kNormal;
  runtime::Rect mPlace{0, 0, 320, 240};
  std::vector<runtime::ChildWindow*> mTabOrder;
  int mDrags = 0;
  bool mSightUnsettled = false;
};

class TestPopup : public runtime::PopupMenu {
 public:
  TestPopup(TestWindowSystem& system, std::string_view name) : mSystem(system), mName(name) {}

  std::size_t AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) override;
  void SetItemEnabled(std::size_t index, bool enabled) override { mItems.at(index).item.enabled = enabled; }
  [[nodiscard]] bool IsOpen() const override { return mOpen; }
  void Run(runtime::Point screen) override;

  struct Entry {
    Item item;
    std::function<void()> chosen;
    PopupMenu* submenu;
  };
  [[nodiscard]] const std::vector<Entry>& Items() const { return mItems; }
  [[nodiscard]] const std::string& Name() const { return mName; }
  // Where it opened last, on the screen.
  [[nodiscard]] runtime::Point OpenedAt() const { return mOpenedAt; }

 private:
  TestWindowSystem& mSystem;
  std::string mName;
  std::vector<Entry> mItems;
  bool mOpen = false;
  runtime::Point mOpenedAt;
};

class TestBeat : public runtime::Beat {
 public:
  TestBeat(TestWindowSystem& system, std::function<void()> onBeat);
  ~TestBeat() override;

  void Start(int milliseconds) override;
  void Stop() override { mActive = false; }
  [[nodiscard]] bool Active() const override { return mActive; }
  [[nodiscard]] int Interval() const override { return mInterval; }

  [[nodiscard]] std::int64_t Due() const { return mDue; }
  // Called by the clock when the beat is due: calls the function and counts
  // the next interval.
  void Fire();

 private:
  TestWindowSystem& mSystem;
  std::function<void()> mOnBeat;
  bool mActive = false;
  int mInterval = 0;
  std::int64_t mDue = 0;
};

class TestWindowSystem : public runtime::WindowSystem {
 public:
  TestWindowSystem();
  ~TestWindowSystem() override;

  // --- the seam ---
  std::unique_ptr<runtime::FormWindow> NewFormWindow(runtime::FormWindowEvents& events) override;
  std::unique_ptr<runtime::SurfaceWindow> NewSurfaceWindow(runtime::FormWindow& form,
                                                           runtime::SurfaceEvents& events) override;
  std::unique_ptr<runtime::EditField> NewEditField(runtime::FormWindow& form, runtime::EditFieldEvents& events) override;
  std::unique_ptr<runtime::PopupMenu> NewPopupMenu(std::string_view name) override;
  std::unique_ptr<runtime::Beat> NewBeat(std::function<void()> onBeat) override;
  void EndProgram() override;
  bool ShowErrorBox(std::u16string_view text, bool wait) override;
  bool ClearClipboard() override;
  bool SetClipboardText(std::u16string_view text) override;
  std::u16string ClipboardText() override { return mClipboard; }
  runtime::Point CursorPos() override { return mPointer; }
  runtime::WindowHandle WindowFromPoint(runtime::Point screen) override;
  void ReleaseCapture() override { ++mCaptureReleases; }
  std::int32_t SendWindowMessage(runtime::WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                 std::int32_t lParam) override;
  runtime::TextMetrics MeasureText(const runtime::Font& font, std::u16string_view text) override;
  void DrawTextOn(runtime::gdi::HDC hdc, const runtime::Font& font, runtime::Colour colour, runtime::Point topLeft,
                  std::u16string_view text) override;
  std::u16string InstalledFamily(std::u16string_view family) override;
  runtime::Font InterfaceFont() override { return mInterfaceFont; }
  void SetInterfaceFont(const runtime::Font& font) override { mInterfaceFont = font; }
  bool UseLanguage(std::string_view locale) override;
  runtime::MemoryGdi& Gdi() override { return mGdi; }

  // --- time ---
  [[nodiscard]] std::int64_t Now() const { return mNow; }
  // Lets `milliseconds` pass (0 too): the forms first hear of what they
  // show now, then every beat due meanwhile fires, in order.
  void Advance(std::int64_t milliseconds);

  // --- the user ---
  // The pointer moves there without any window hearing of it.
  void PointerTo(runtime::Point screen) { mPointer = screen; }
  // The pointer moves to a point of a surface, which hears of it.
  void MoveOver(TestSurface& surface, runtime::Point local, std::int16_t buttons = 0);
  void Press(TestSurface& surface, std::int16_t button = runtime::kLeftButton, bool second = false);
  void Release(TestSurface& surface, std::int16_t button = runtime::kLeftButton);
  // Press and release at the surface's centre, the pointer there.
  void Click(TestSurface& surface, std::int16_t button = runtime::kLeftButton);
  void PressKey(TestSurface& surface, std::int16_t keyCode, char16_t typed = 0, bool repeat = false);
  void ReleaseKey(TestSurface& surface, std::int16_t keyCode, bool repeat = false);
  // Characters typed into the field that has the keyboard (or `field`).
  void Type(TestField& field, std::u16string_view characters);
  void Paste(TestField& field, std::u16string_view text);
  void PressOnBackground(TestForm& form, runtime::Point client, std::int16_t button = runtime::kLeftButton);
  // The user (or the desktop) asks to close the form's window.
  void Close(TestForm& form) { form.Events().CloseRequested(); }
  // Tab from the window with the keyboard to the next tab stop of its form.
  void Tab(bool backwards = false);
  // Another program, or a popup menu, takes the keyboard and gives it back.
  void KeyboardAway();
  void KeyboardBack();
  // The next popup menu to open chooses the item of this index (nothing for
  // none), as a user would; then runs `whileOpen` first when given.
  void ChooseInNextMenu(std::optional<std::size_t> index, std::function<void()> whileOpen = {});
  // A popup the test opened.
  [[nodiscard]] TestPopup* OpenedMenu() const { return mLastMenu; }

  // --- what the user sees ---
  [[nodiscard]] runtime::ChildWindow* Focused() const { return mFocused; }
  // Every error box shown so far. One stays open until the user closes it;
  // meanwhile no other opens unless the caller waits for it.
  [[nodiscard]] const std::vector<std::u16string>& ErrorBoxes() const { return mErrorBoxes; }
  [[nodiscard]] bool ErrorBoxOpen() const { return mErrorBoxOpen; }
  void CloseErrorBox() { mErrorBoxOpen = false; }
  [[nodiscard]] bool Ended() const { return mEnded; }
  [[nodiscard]] int CaptureReleases() const { return mCaptureReleases; }
  [[nodiscard]] const std::vector<TestForm*>& Forms() const { return mForms; }
  void SetClipboardOpenable(bool openable) { mClipboardOpenable = openable; }
  void SetInstalledFamilies(std::set<std::u16string> families) { mFamilies = std::move(families); }
  // Text in the family that draws a face (runtime::ResolvedFamily) is this
  // wide against the usual test metrics; 100 unless set.
  void SetWidthPercent(const std::u16string& family, int percent) { mWidthPercent[family] = percent; }

  // --- for the windows themselves ---
  // How far the pen moves for a character.
  [[nodiscard]] int AdvanceOf(const runtime::Font& font, char16_t c) const;
  void FocusFrom(runtime::ChildWindow* window, bool moved);
  void Register(TestForm& form) { mForms.push_back(&form); }
  void Unregister(TestForm& form);
  void ChildGone(runtime::ChildWindow& window);
  void Register(TestBeat& beat) { mBeats.insert(&beat); }
  void Unregister(TestBeat& beat) { mBeats.erase(&beat); }
  runtime::WindowHandle NextHandle() { return mNextHandle += 4; }
  void Register(runtime::ChildWindow& window, TestForm& form, runtime::WindowHandle handle);
  // The choice for the menu opening now, and what runs while it is open;
  // both are for that menu only.
  [[nodiscard]] std::optional<std::size_t> TakeMenuChoice(std::function<void()>& whileOpen);
  void MenuOpened(TestPopup& popup) { mLastMenu = &popup; }

 private:
  runtime::MemoryGdi mGdi;
  std::int64_t mNow = 0;
  std::set<TestBeat*> mBeats;
  runtime::Point mPointer{-1000, -1000};
  runtime::ChildWindow* mFocused = nullptr;
  std::vector<TestForm*> mForms;
  struct ChildRecord {
    runtime::ChildWindow* window;
    TestForm* form;
  };
  std::map<runtime::WindowHandle, ChildRecord> mChildren;
  runtime::WindowHandle mNextHandle = 0x00010010;
  std::u16string mClipboard;
  bool mClipboardOpenable = true;
  std::vector<std::u16string> mErrorBoxes;
  bool mErrorBoxOpen = false;
  bool mEnded = false;
  int mCaptureReleases = 0;
  runtime::Font mInterfaceFont;
  std::set<std::u16string> mFamilies;
  std::map<std::u16string, int> mWidthPercent;
  std::optional<std::size_t> mMenuChoice;
  bool mMenuChoiceSet = false;
  std::function<void()> mWhileMenuOpen;
  TestPopup* mLastMenu = nullptr;
};

}  // namespace test_front_end
