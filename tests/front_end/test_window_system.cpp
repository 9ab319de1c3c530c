// SPDX-License-Identifier: MIT
#include "test_window_system.h"

#include <algorithm>

#include "runtime/values/font_faces.h"
#include "runtime/win32/win32.h"

namespace test_front_end {

// --- every window of a form ---

template <class Interface>
TestChild<Interface>::TestChild(TestWindowSystem& system, TestForm& form, runtime::WindowHandle handle)
    : mSystem(system), mForm(form), mHandle(handle) {
  system.Register(*this, form, handle);
}

template <class Interface>
TestChild<Interface>::~TestChild() {
  mSystem.ChildGone(*this);
}

template <class Interface>
bool TestChild<Interface>::IsOnScreen() const {
  return mVisible && mForm.Shown();
}

template <class Interface>
void TestChild<Interface>::Focus() {
  mSystem.FocusFrom(this, true);
}

template class TestChild<runtime::SurfaceWindow>;
template class TestChild<runtime::EditField>;

// --- surfaces ---

void TestSurface::SetMask(const runtime::Pixels& mask, runtime::Rgb seeThrough) {
  std::vector<bool> shown(static_cast<std::size_t>(mask.Width()) * static_cast<std::size_t>(mask.Height()));
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      shown[static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.Width()) + static_cast<std::size_t>(x)] =
          (mask.At(x, y) | runtime::kOpaque) != (seeThrough | runtime::kOpaque);
    }
  }
  mMask = std::move(shown);
}

bool TestSurface::TakesMouseAt(runtime::Point local) const {
  if (!runtime::Rect{0, 0, Place().width, Place().height}.Contains(local)) return false;
  if (!mMask) return true;
  const std::size_t at =
      static_cast<std::size_t>(local.y) * static_cast<std::size_t>(Place().width) + static_cast<std::size_t>(local.x);
  return at < mMask->size() && (*mMask)[at];
}

runtime::Pixels TestSurface::Shown() {
  runtime::GdiDevice& device = mSystem.Gdi();
  return runtime::Pixels::CopyOf(device.BitmapPixels(device.SelectedBitmap(mEvents.PrepareToShow())));
}

// --- fields ---

void TestField::Changed() { mEvents.TextMayHaveChanged(); }

void TestField::SetText(std::u16string_view text) {
  mText = text;
  mAnchor = mCaret = static_cast<int>(mText.size());
  Changed();
}

int TestField::SelectionStart() const { return std::min(mAnchor, mCaret); }

int TestField::SelectionLength() const { return std::abs(mCaret - mAnchor); }

void TestField::Select(int start, int length) {
  const int size = static_cast<int>(mText.size());
  const int from = std::clamp(start, 0, size);
  const int to = std::clamp(start + length, 0, size);
  mAnchor = from;
  mCaret = to;
}

void TestField::SetCaret(int position) { mAnchor = mCaret = std::clamp(position, 0, static_cast<int>(mText.size())); }

void TestField::ReplaceSelection(std::u16string_view text) {
  const auto start = static_cast<std::size_t>(SelectionStart());
  mText.replace(start, static_cast<std::size_t>(SelectionLength()), text);
  if (mText.size() > static_cast<std::size_t>(Capacity())) mText.resize(static_cast<std::size_t>(Capacity()));
  mAnchor = mCaret = std::min(static_cast<int>(start + text.size()), static_cast<int>(mText.size()));
  Changed();
}

void TestField::Backspace() {
  if (SelectionLength() == 0) {
    if (mCaret == 0) return;
    mAnchor = mCaret - 1;
  }
  ReplaceSelection(u"");
}

void TestField::SetColours(runtime::Colour text, runtime::Colour background) {
  mTextColour = text;
  mBackColour = background;
  ++mColourWrites;
}

// --- forms ---

TestForm::TestForm(TestWindowSystem& system, runtime::WindowHandle handle, runtime::FormWindowEvents& events)
    : mSystem(system), mHandle(handle), mEvents(events) {
  system.Register(*this);
}

TestForm::~TestForm() { mSystem.Unregister(*this); }

void TestForm::SetClientSize(int width, int height, bool fixed) {
  mPlace.width = width;
  mPlace.height = height;
  mFixed = fixed;
}

void TestForm::CentreOnScreen() {
  // The test desktop is 1024 x 768 with nothing taken from it.
  mPlace.x = (1024 - mPlace.width) / 2;
  mPlace.y = (768 - mPlace.height) / 2;
}

void TestForm::UseIconForProgram() {}

void TestForm::MoveTo(runtime::Point topLeft) {
  mPlace.x = topLeft.x;
  mPlace.y = topLeft.y;
}

void TestForm::Show() {
  if (!mShown) mSightUnsettled = true;
  mShown = true;
}

void TestForm::Hide() { mShown = false; }

void TestForm::SetWindowState(State state) {
  mState = state;
  // Heard of from the event loop, once the state has settled.
  mSightUnsettled = true;
}

void TestForm::SetShownByDesktop(bool shown) {
  mShown = shown;
  mSightUnsettled = false;
  mEvents.SightChanged();
}

void TestForm::SettleSight() {
  if (!mSightUnsettled) return;
  mSightUnsettled = false;
  mEvents.SightChanged();
}

runtime::Point TestForm::ClientToScreen(runtime::Point client) const {
  return {mPlace.x + client.x, mPlace.y + client.y};
}

// --- popup menus ---

std::size_t TestPopup::AddItem(const Item& item, std::function<void()> chosen, runtime::PopupMenu* submenu) {
  mItems.push_back(Entry{item, std::move(chosen), submenu});
  return mItems.size() - 1;
}

void TestPopup::Run(runtime::Point screen) {
  mOpenedAt = screen;
  mSystem.MenuOpened(*this);
  std::function<void()> whileOpen;
  const std::optional<std::size_t> choice = mSystem.TakeMenuChoice(whileOpen);
  mOpen = true;
  if (whileOpen) whileOpen();
  mOpen = false;
  // A user can choose only an item that shows and is enabled.
  if (choice && *choice < mItems.size() && mItems[*choice].item.enabled && mItems[*choice].item.visible &&
      mItems[*choice].chosen) {
    mItems[*choice].chosen();
  }
}

// --- beats ---

TestBeat::TestBeat(TestWindowSystem& system, std::function<void()> onBeat)
    : mSystem(system), mOnBeat(std::move(onBeat)) {
  system.Register(*this);
}

TestBeat::~TestBeat() { mSystem.Unregister(*this); }

void TestBeat::Start(int milliseconds) {
  mActive = true;
  mInterval = std::max(milliseconds, 1);
  mDue = mSystem.Now() + mInterval;
}

void TestBeat::Fire() {
  mDue += mInterval;
  mOnBeat();
}

// --- the window system ---

TestWindowSystem::TestWindowSystem() {
  mInterfaceFont.name = u"Test Sans";
  mInterfaceFont.size = 9;
  mFamilies = {u"Test Sans", u"WenQuanYi Micro Hei"};
}

TestWindowSystem::~TestWindowSystem() = default;

std::unique_ptr<runtime::FormWindow> TestWindowSystem::NewFormWindow(runtime::FormWindowEvents& events) {
  return std::make_unique<TestForm>(*this, NextHandle(), events);
}

std::unique_ptr<runtime::SurfaceWindow> TestWindowSystem::NewSurfaceWindow(runtime::FormWindow& form,
                                                                           runtime::SurfaceEvents& events) {
  return std::make_unique<TestSurface>(*this, dynamic_cast<TestForm&>(form), NextHandle(), events);
}

std::unique_ptr<runtime::EditField> TestWindowSystem::NewEditField(runtime::FormWindow& form,
                                                                   runtime::EditFieldEvents& events) {
  return std::make_unique<TestField>(*this, dynamic_cast<TestForm&>(form), NextHandle(), events);
}

std::unique_ptr<runtime::PopupMenu> TestWindowSystem::NewPopupMenu(std::string_view name) {
  return std::make_unique<TestPopup>(*this, name);
}

std::unique_ptr<runtime::Beat> TestWindowSystem::NewBeat(std::function<void()> onBeat) {
  return std::make_unique<TestBeat>(*this, std::move(onBeat));
}

void TestWindowSystem::EndProgram() {
  mEnded = true;
  for (TestForm* form : mForms) form->Hide();
}

bool TestWindowSystem::ShowErrorBox(std::u16string_view text, bool wait) {
  // One box at a time is enough; one the caller waits for is closed by the
  // user before the call returns.
  if (!wait && mErrorBoxOpen) return false;
  mErrorBoxes.emplace_back(text);
  if (!wait) mErrorBoxOpen = true;
  return true;
}

bool TestWindowSystem::ClearClipboard() {
  if (!mClipboardOpenable) return false;
  mClipboard.clear();
  return true;
}

bool TestWindowSystem::SetClipboardText(std::u16string_view text) {
  if (!mClipboardOpenable) return false;
  mClipboard = text;
  return true;
}

runtime::WindowHandle TestWindowSystem::WindowFromPoint(runtime::Point screen) {
  // The forms made last lie on top.
  for (auto form = mForms.rbegin(); form != mForms.rend(); ++form) {
    TestForm& window = **form;
    if (!window.Shown() || !window.Place().Contains(screen)) continue;
    const runtime::Point client{screen.x - window.Place().x, screen.y - window.Place().y};
    // The controls made last lie on top too.
    for (auto child = mChildren.rbegin(); child != mChildren.rend(); ++child) {
      if (child->second.form != &window) continue;
      runtime::ChildWindow& control = *child->second.window;
      const auto* surface = dynamic_cast<const TestSurface*>(&control);
      const runtime::Rect& place = surface != nullptr ? surface->Place() : dynamic_cast<TestField&>(control).Place();
      if (!control.IsSetVisible() || !place.Contains(client)) continue;
      if (surface != nullptr && !surface->TakesMouseAt({client.x - place.x, client.y - place.y})) continue;
      // A disabled control gives the window it sits in.
      return control.IsEnabled() ? control.Handle() : window.Handle();
    }
    return window.Handle();
  }
  return 0;
}

std::int32_t TestWindowSystem::SendWindowMessage(runtime::WindowHandle window, std::uint32_t message,
                                                 std::int32_t wParam, std::int32_t /*lParam*/) {
  if (message != runtime::win32::WM_SYSCOMMAND || (wParam & 0xFFF0) != runtime::win32::SC_MOVE) return 0;
  for (TestForm* form : mForms) {
    if (form->Handle() == window) form->Dragged();
  }
  return 0;
}

int TestWindowSystem::AdvanceOf(const runtime::Font& font, char16_t c) const {
  // Test text: ASCII half as wide as it is high, everything else square, in
  // families of their own width where a test says so.
  const int size = font.PixelSize();
  const int advance = c < 0x80 ? size / 2 + 1 : size;
  if (mWidthPercent.empty()) return advance;
  const auto percent = mWidthPercent.find(runtime::ResolvedFamily(font.name));
  return percent == mWidthPercent.end() ? advance : std::max(1, advance * percent->second / 100);
}

runtime::TextMetrics TestWindowSystem::MeasureText(const runtime::Font& font, std::u16string_view text) {
  runtime::TextMetrics metrics;
  for (const char16_t c : text) metrics.width += AdvanceOf(font, c);
  metrics.ascent = font.PixelSize();
  metrics.height = font.PixelSize() + font.PixelSize() / 4;
  return metrics;
}

void TestWindowSystem::DrawTextOn(runtime::gdi::HDC hdc, const runtime::Font& font, runtime::Colour colour,
                                  runtime::Point topLeft, std::u16string_view text) {
  // Each character a block of its colour, a pixel narrower than its advance.
  const runtime::PixelView pixels = mGdi.BitmapPixels(mGdi.SelectedBitmap(hdc));
  if (pixels.Empty()) return;
  int x = topLeft.x;
  for (const char16_t c : text) {
    const int width = AdvanceOf(font, c);
    if (c != u' ') {
      for (int row = std::max(topLeft.y, 0); row < std::min(topLeft.y + font.PixelSize(), pixels.height); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + width - 1, pixels.width); ++column) {
          pixels.At(column, row) = runtime::ToRgb(colour);
        }
      }
    }
    x += width;
  }
}

std::u16string TestWindowSystem::InstalledFamily(std::u16string_view family) {
  for (const std::u16string& installed : mFamilies) {
    if (installed.size() == family.size() &&
        std::equal(installed.begin(), installed.end(), family.begin(), [](char16_t a, char16_t b) {
          auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
          return lower(a) == lower(b);
        })) {
      return installed;
    }
  }
  return {};
}

bool TestWindowSystem::UseLanguage(std::string_view /*locale*/) { return false; }

void TestWindowSystem::Advance(std::int64_t milliseconds) {
  // A handler may make or close a form meanwhile: the list is walked anew.
  for (std::size_t i = 0; i < mForms.size(); ++i) mForms[i]->SettleSight();
  const std::int64_t until = mNow + milliseconds;
  for (;;) {
    TestBeat* next = nullptr;
    for (TestBeat* beat : mBeats) {
      if (beat->Active() && beat->Due() <= until && (next == nullptr || beat->Due() < next->Due())) next = beat;
    }
    if (next == nullptr) break;
    mNow = std::max(mNow, next->Due());
    next->Fire();
  }
  mNow = until;
}

void TestWindowSystem::MoveOver(TestSurface& surface, runtime::Point local, std::int16_t buttons) {
  mPointer = surface.Form().ClientToScreen({surface.Place().x + local.x, surface.Place().y + local.y});
  surface.Events().Moved(runtime::MouseInput{buttons, 0, static_cast<double>(local.x), static_cast<double>(local.y)});
}

void TestWindowSystem::Press(TestSurface& surface, std::int16_t button, bool second) {
  const runtime::Point origin = surface.Form().ClientToScreen({surface.Place().x, surface.Place().y});
  surface.Events().Pressed(runtime::MouseInput{button, 0, static_cast<double>(mPointer.x - origin.x),
                                               static_cast<double>(mPointer.y - origin.y)},
                           second);
}

void TestWindowSystem::Release(TestSurface& surface, std::int16_t button) {
  const runtime::Point origin = surface.Form().ClientToScreen({surface.Place().x, surface.Place().y});
  surface.Events().Released(runtime::MouseInput{button, 0, static_cast<double>(mPointer.x - origin.x),
                                                static_cast<double>(mPointer.y - origin.y)});
}

void TestWindowSystem::Click(TestSurface& surface, std::int16_t button) {
  mPointer = surface.Form().ClientToScreen(
      {surface.Place().x + surface.Place().width / 2, surface.Place().y + surface.Place().height / 2});
  Press(surface, button);
  Release(surface, button);
}

void TestWindowSystem::PressKey(TestSurface& surface, std::int16_t keyCode, char16_t typed, bool repeat) {
  surface.Events().KeyDown(keyCode, 0, repeat);
  if (typed != 0) surface.Events().Typed(typed);
}

void TestWindowSystem::ReleaseKey(TestSurface& surface, std::int16_t keyCode, bool repeat) {
  surface.Events().KeyUp(keyCode, 0, repeat);
}

void TestWindowSystem::Type(TestField& field, std::u16string_view characters) {
  for (const char16_t c : characters) {
    const runtime::EditFieldEvents::Typing typing = field.Events().Typed(c);
    if (typing == runtime::EditFieldEvents::Typing::kStop) return;
    // What a field does by itself with a command character: Ctrl+A selects
    // everything; the rest does nothing here.
    if (typing == runtime::EditFieldEvents::Typing::kDefault && c == 0x01) {
      field.Select(0, static_cast<int>(field.Text().size()));
    }
  }
}

void TestWindowSystem::Paste(TestField& field, std::u16string_view text) {
  if (!field.ReadOnly()) field.Events().Pasted(std::u16string(text));
}

void TestWindowSystem::PressOnBackground(TestForm& form, runtime::Point client, std::int16_t button) {
  mPointer = form.ClientToScreen(client);
  form.Events().BackgroundPressed(
      runtime::MouseInput{button, 0, static_cast<double>(client.x), static_cast<double>(client.y)});
}

void TestWindowSystem::Tab(bool backwards) {
  if (mFocused == nullptr) return;
  TestForm* form = mChildren.count(mFocused->Handle()) != 0 ? mChildren[mFocused->Handle()].form : nullptr;
  if (form == nullptr) return;
  const std::vector<runtime::ChildWindow*>& order = form->TabOrder();
  const auto at = std::find(order.begin(), order.end(), mFocused);
  if (at == order.end() || order.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  std::ptrdiff_t index = at - order.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    index = (index + (backwards ? count - 1 : 1)) % count;
    runtime::ChildWindow* next = order[static_cast<std::size_t>(index)];
    const bool stops = dynamic_cast<TestSurface*>(next) != nullptr ? dynamic_cast<TestSurface*>(next)->TabStop()
                                                                   : dynamic_cast<TestField*>(next)->TabStop();
    if (stops && next->IsSetVisible() && next->IsEnabled()) {
      FocusFrom(next, true);
      return;
    }
  }
}

void TestWindowSystem::KeyboardAway() {
  if (auto* surface = dynamic_cast<TestSurface*>(mFocused)) surface->Events().FocusOut(false);
}

void TestWindowSystem::KeyboardBack() {
  if (auto* surface = dynamic_cast<TestSurface*>(mFocused)) surface->Events().FocusIn();
}

void TestWindowSystem::ChooseInNextMenu(std::optional<std::size_t> index, std::function<void()> whileOpen) {
  mMenuChoice = index;
  mMenuChoiceSet = true;
  mWhileMenuOpen = std::move(whileOpen);
}

std::optional<std::size_t> TestWindowSystem::TakeMenuChoice(std::function<void()>& whileOpen) {
  whileOpen = std::move(mWhileMenuOpen);
  mWhileMenuOpen = nullptr;
  if (!mMenuChoiceSet) return std::nullopt;
  mMenuChoiceSet = false;
  return mMenuChoice;
}

void TestWindowSystem::FocusFrom(runtime::ChildWindow* window, bool moved) {
  if (window == mFocused) return;
  runtime::ChildWindow* previous = mFocused;
  mFocused = window;
  if (auto* surface = dynamic_cast<TestSurface*>(previous)) surface->Events().FocusOut(moved);
  if (auto* surface = dynamic_cast<TestSurface*>(window)) surface->Events().FocusIn();
}

void TestWindowSystem::Unregister(TestForm& form) { std::erase(mForms, &form); }

void TestWindowSystem::Register(runtime::ChildWindow& window, TestForm& form, runtime::WindowHandle handle) {
  mChildren[handle] = ChildRecord{&window, &form};
}

void TestWindowSystem::ChildGone(runtime::ChildWindow& window) {
  if (mFocused == &window) mFocused = nullptr;
  for (auto entry = mChildren.begin(); entry != mChildren.end();) {
    entry = entry->second.window == &window ? mChildren.erase(entry) : std::next(entry);
  }
}

}  // namespace test_front_end
