// SPDX-License-Identifier: MIT
#include "runtime/forms/form.h"

#include <algorithm>
#include <cmath>

#include "runtime/controls/control_site.h"
#include "runtime/controls/mouse_arguments.h"
#include "runtime/controls/menu.h"
#include "runtime/controls/timer.h"
#include "runtime/controls/user_control.h"
#include "runtime/design/design_reader.h"
#include "runtime/design/form_design.h"
#include "runtime/design/property_bag.h"
#include "runtime/dispatch.h"
#include "runtime/forms/control_classes.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/child_window.h"
#include "runtime/seam/popup_menu.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/picture.h"
#include "runtime/values/picture_file.h"
#include "runtime/values/units.h"

namespace runtime {
namespace {

constexpr double kLargestForm = 1e6;  // twips; far beyond any screen

// Every size the icon file holds, so the window system can pick the one it
// needs.
std::vector<PixelsRef> IconFromFile(const std::string& bytes) {
  std::optional<std::vector<Pixels>> images = TakeDecodedAhead(bytes);
  if (!images) images = DecodePictureFile(bytes);
  std::vector<PixelsRef> sizes;
  for (Pixels& image : *images) {
    if (!image.IsNull()) sizes.push_back(std::make_shared<const Pixels>(std::move(image)));
  }
  if (sizes.empty()) Raise(kLoadError, "the form's icon is not an icon");
  return sizes;
}

float ClientSize(DesignReader& reader, std::string_view key, double fallback) {
  const double twips = reader.Number(key, fallback);
  if (!(twips >= 0 && twips <= kLargestForm)) Raise(kLoadError, "'" + std::string(key) + "' is out of range");
  return static_cast<float>(twips);
}

}  // namespace

Form::Form(const DesignNode& design, const ControlClasses& classes, const DesignFiles& files)
    : mWindow(WindowSystem::Current().NewFormWindow(*this)), mName(design.name) {
  if (design.className != "Form") Raise(kLoadError, "'" + design.name + "' is not a form");
  DesignReader reader(design);
  SetCaption(reader.GbkText("Caption", std::u16string(mName.begin(), mName.end())));
  const std::int16_t border = reader.Integer16("BorderStyle", 2);
  reader.Number("ClientLeft", 0);
  reader.Number("ClientTop", 0);
  const float clientWidth = ClientSize(reader, "ClientWidth", 4800);
  const float clientHeight = ClientSize(reader, "ClientHeight", 3600);
  mStartUpPosition = reader.Integer16("StartUpPosition", 3);
  const std::optional<std::string> picture = reader.Bytes("Picture");
  const std::optional<std::string> icon = reader.Bytes("Icon");
  reader.RequireAllRead();
  if (picture) {
    PixelsRef skin = DecodedPicture(ReadDesignFile(files, *picture));
    if (!skin) Raise(kLoadError, "'" + *picture + "' is not a picture");
    mWindow->SetPicture(std::move(skin));
  }
  // The window carries its icon from the moment it is mapped: a taskbar reads
  // it when the window appears, and may miss a later change.
  if (icon) {
    mWindow->SetIcon(IconFromFile(ReadDesignFile(files, *icon)));
    mHasIcon = true;
  }

  mWindow->SetName(mName);
  if (border == 0) mWindow->SetFrameless();
  mWindow->SetClientSize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight), !(border == 2 || border == 5));

  for (const DesignNode& child : design.children) AddChild(child, classes, files);
  ApplyTabOrder();
}

void Form::DecodePicturesAhead(const DesignNode& design, const DesignFiles& files) {
  // What cannot be read is skipped here, for building the form to report.
  auto read = [&files](const DesignNode& node, const char* key) -> std::string {
    try {
      const std::optional<std::string> name = DesignReader(node).Bytes(key);
      return name ? ReadDesignFile(files, *name) : std::string();
    } catch (const RuntimeError&) {
      return {};
    }
  };
  std::vector<std::string> pictures;
  for (const char* key : {"Picture", "Icon"}) {
    if (std::string file = read(design, key); !file.empty()) pictures.push_back(std::move(file));
  }
  // The controls' own pictures (a button's strip) are in their saved
  // settings; keys share a strip, which is decoded once.
  for (const DesignNode& child : design.children) {
    for (std::string& file : PropertyBag::PictureFiles(read(child, "Settings"))) {
      if (std::find(pictures.begin(), pictures.end(), file) == pictures.end()) pictures.push_back(std::move(file));
    }
  }
  if (!pictures.empty()) DecodeAhead(pictures);
}

Form::~Form() {
  for (UserControl* control : mUserControls) ControlSite::Unload(*control);
  // Controls, timers and menus go before the window they live on.
  mControls.clear();
  mTimers.clear();
  mMenus.clear();
  mWindow.reset();
}

void Form::BackgroundPressed(const MouseInput& press) {
  Boundary([&] {
    MouseArguments a(press);
    MouseDown.Raise(a.button, a.shift, a.x, a.y);
  });
}

void Form::CloseRequested() {
  if (mEndsProgramWhenClosed) Boundary([] { End(); });
}

void Form::SightChanged() {
  const bool held = mWindow->OutOfSight();
  for (const auto& timer : mTimers) timer->SetHeld(held);
}

void Form::AddChild(const DesignNode& child, const ControlClasses& classes, const DesignFiles& files) {
  if (child.className == "Menu") {
    AddMenu(child);
    return;
  }
  DesignReader reader(child);
  const std::int16_t index = reader.Integer16("Index", -1);
  auto taken = [&](const std::string& name, std::int16_t otherIndex) {
    return name == child.name && (otherIndex == index || otherIndex < 0 || index < 0);
  };
  const bool duplicate =
      std::any_of(mControls.begin(), mControls.end(), [&](const auto& c) { return taken(c->Name(), c->Index()); }) ||
      std::any_of(mTimers.begin(), mTimers.end(), [&](const auto& t) { return taken(t->Name(), -1); });
  if (duplicate) RaiseLoadError(child, "'" + child.name + "' is defined twice");

  if (child.className == "Timer") {
    if (index >= 0) RaiseLoadError(child, "timers have no index");
    mTimers.push_back(std::make_unique<Timer>(reader));
  } else if (const ControlClasses::Factory* factory = classes.Find(child.className)) {
    mControls.push_back((*factory)(*mWindow, reader, files));
    if (auto* control = dynamic_cast<UserControl*>(mControls.back().get())) mUserControls.push_back(control);
  } else {
    RaiseLoadError(child, "there is no control class '" + child.className + "'");
  }
  reader.RequireAllRead();
}

Menu& Form::AddMenu(const DesignNode& design) {
  for (const auto& menu : mMenus) {
    if (menu->Name() == design.name) RaiseLoadError(design, "'" + design.name + "' is defined twice");
  }
  DesignReader reader(design);
  mMenus.push_back(std::make_unique<Menu>(reader));
  Menu& menu = *mMenus.back();
  reader.RequireAllRead();
  for (const DesignNode& item : design.children) {
    if (item.className != "Menu") RaiseLoadError(item, "a menu holds only menus");
    menu.AddItem(AddMenu(item));
  }
  return menu;
}

void Form::ApplyTabOrder() {
  // Every control takes the keyboard; Tab walks them by TabIndex, the
  // design's order breaking ties, and passes over those that are no tab
  // stop.
  std::vector<Control*> order;
  for (const auto& control : mControls) order.push_back(control.get());
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  std::vector<ChildWindow*> windows;
  for (Control* control : order) {
    if (!control->TabStop()) control->Window().SetTabStop(false);
    windows.push_back(&control->Window());
  }
  mWindow->SetTabOrder(windows);
}

std::u16string Form::Caption() const { return mWindow->Caption(); }

void Form::SetCaption(const std::u16string& caption) { mWindow->SetCaption(caption); }

std::int16_t Form::WindowState() const {
  switch (mWindow->WindowState()) {
    case FormWindow::State::kMinimized: return kMinimized;
    case FormWindow::State::kMaximized: return kMaximized;
    case FormWindow::State::kNormal: break;
  }
  return kNormal;
}

void Form::SetWindowState(std::int16_t state) {
  switch (state) {
    case kNormal: mWindow->SetWindowState(FormWindow::State::kNormal); break;
    case kMinimized: mWindow->SetWindowState(FormWindow::State::kMinimized); break;
    case kMaximized: mWindow->SetWindowState(FormWindow::State::kMaximized); break;
    default: Raise(kInvalidPropertyValue);
  }
}

std::int32_t Form::hWnd() const { return mWindow->Handle(); }

void Form::Show() {
  const bool first = !mShown;
  mShown = true;
  if (first) {
    for (UserControl* control : mUserControls) ControlSite::Show(*control);
    for (const auto& timer : mTimers) timer->Restart();
    if (mStartUpPosition == 1 || mStartUpPosition == 2) mWindow->CentreOnScreen();
    // The program's own icon is its start-up form's.
    if (mEndsProgramWhenClosed && mHasIcon) mWindow->UseIconForProgram();
  }
  mWindow->Show();
  if (first) {
    // The focus starts on the first control in tab order that can take it.
    Control* start = nullptr;
    for (const auto& control : mControls) {
      const ChildWindow& window = control->Window();
      if (control->TabStop() && window.IsSetVisible() && window.IsEnabled() &&
          (start == nullptr || control->TabIndex() < start->TabIndex())) {
        start = control.get();
      }
    }
    if (start != nullptr) start->Window().Focus();
  }
  ThrowIfEnded();
}

void Form::PopupMenu(Menu& menu, std::optional<float> x, std::optional<float> y) {
  runtime::PopupMenu& popup = menu.Popup();
  if (popup.IsOpen() || menu.Items().empty()) return;
  Point where = WindowSystem::Current().CursorPos();
  if (x && y) {
    if (!std::isfinite(*x) || !std::isfinite(*y) || std::fabs(*x) > kLargestForm || std::fabs(*y) > kLargestForm) {
      Raise(kInvalidProcedureCall);
    }
    where = mWindow->ClientToScreen(Point{TwipsToPixels(*x), TwipsToPixels(*y)});
  }
  popup.Run(where);
  ThrowIfEnded();
}

Timer& Form::TimerNamed(std::string_view name) const {
  for (const auto& timer : mTimers) {
    if (timer->Name() == name) return *timer;
  }
  Missing(name);
}

Menu& Form::MenuNamed(std::string_view name) const {
  for (const auto& menu : mMenus) {
    if (menu->Name() == name) return *menu;
  }
  Missing(name);
}

void Form::Missing(std::string_view name) const {
  Raise(kLoadError, "the design of " + mName + " has no '" + std::string(name) + "' of that kind");
}

}  // namespace runtime
