// SPDX-License-Identifier: MIT
#include "runtime/controls/user_control.h"

#include <algorithm>
#include <cmath>

#include "runtime/controls/mouse_arguments.h"
#include "runtime/design/design_reader.h"
#include "runtime/design/property_bag.h"
#include "runtime/dispatch.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/units.h"

namespace runtime {
namespace {

// The see-through colour of a mask picture.
constexpr Colour kMaskColor = 0x00FF00FF;

int ToPixels(float twips) { return TwipsToPixels(twips); }

float Twips(double pixels) { return static_cast<float>(PixelsToTwips(pixels)); }

}  // namespace

UserControl::UserControl(FormWindow& form) : mSurface(WindowSystem::Current().NewSurfaceWindow(form, *this)) {
  SetWindow(*mSurface);
  // A surface always has a font, the interface's until told otherwise.
  mFont = std::make_shared<Font>(WindowSystem::Current().InterfaceFont());
  mDc = gdi::CreateSurfaceDC([this] { Drawn(); }, [this] { Materialize(); });
  FitImage();
}

UserControl::~UserControl() {
  // The window first: nothing it reports may reach a control half gone.
  mSurface.reset();
  gdi::DeleteSurfaceDC(mDc);
  if (WindowSystem::Installed()) gdi::DeleteObject(mImage);
}

void UserControl::RaiseNested(const std::function<void()>& handler) {
  Boundary(handler);
  ThrowIfEnded();
}

void UserControl::Site(DesignReader& design, const PropertyBag& settings) {
  ReadExtender(design);
  const float width = Width();
  const float height = Height();
  // The control starts with no size, so the one the form gives it is a
  // change it hears of, after it has read its settings.
  StoreSize(0, 0);
  RaiseNested([this] { UserControl_Initialize(); });
  PropertyBag bag = settings;
  RaiseNested([&] { UserControl_ReadProperties(bag); });
  StoreSize(width, height);
  ApplyGeometry();
  if (width != 0 || height != 0) Resized();
}

void UserControl::ShowOnForm() { RaiseNested([this] { UserControl_Show(); }); }

void UserControl::Unload() {
  if (HasEnded()) return;
  Boundary([this] { UserControl_Terminate(); });
}

PropertyBag UserControl::SaveSettings() {
  PropertyBag bag;
  bag.WriteProperty("_extentx", Variant::FromLong(TwipsToHimetric(Width())));
  bag.WriteProperty("_extenty", Variant::FromLong(TwipsToHimetric(Height())));
  UserControl_WriteProperties(bag);
  return bag;
}

void UserControl::SetWidth(float twips) {
  if (twips == Width()) return;
  Control::SetWidth(twips);
  Resized();
}

void UserControl::SetHeight(float twips) {
  if (twips == Height()) return;
  Control::SetHeight(twips);
  Resized();
}

void UserControl::Resized() {
  FitImage();
  RaiseNested([this] { UserControl_Resize(); });
}

void UserControl::FitImage() {
  // The persistent image follows the control's size, up to a size no real
  // control reaches; what was drawn stays where it was.
  constexpr int kLargestSide = 4096;
  const int width = std::clamp(ToPixels(Width()), 1, kLargestSide);
  const int height = std::clamp(ToPixels(Height()), 1, kLargestSide);
  const PixelView old = gdi::BitmapPixels(mImage);
  if (!old.Empty() && old.width == width && old.height == height) return;
  Materialize();
  runtime::Pixels pixels(width, height, ToRgb(mBackColor));
  if (const PixelView drawn = gdi::BitmapPixels(mImage); !drawn.Empty()) {
    CopyPixels(pixels.View(), 0, 0, drawn.width, drawn.height, drawn, 0, 0);
  }
  const gdi::HBITMAP image = gdi::CreateBitmap(pixels);
  gdi::SelectObject(mDc, image);
  gdi::DeleteObject(mImage);
  mImage = image;
  mSurface->Repaint();
}

void UserControl::Drawn() { mSurface->Repaint(); }

std::int32_t UserControl::hWnd() const { return mSurface->Handle(); }

void UserControl::SetEnabled(Boolean enabled) {
  mEnabled = enabled;
  mSurface->SetEnabled(enabled != kFalse);
}

void UserControl::SetBackStyle(std::int16_t style) {
  mBackStyle = style;
  mSurface->SetOpaque(style != kTransparent);
  ApplyMask();
}

void UserControl::SetForeColor(Colour colour) { mForeColor = colour; }

void UserControl::SetFont(FontRef font) {
  if (!font) Raise(kObjectNotSet);
  mFont = std::move(font);
}

void UserControl::SetMaskPicture(PictureRef picture) {
  mMaskPicture = std::move(picture);
  ApplyMask();
}

void UserControl::ApplyMask() {
  // With a transparent back style only the mask picture's pixels that are
  // not the mask colour show and take the mouse.
  if (mBackStyle != kTransparent || !mMaskPicture) {
    mSurface->ClearMask();
    return;
  }
  const runtime::Pixels mask = mMaskPicture->Copy();
  if (mask.IsNull()) {
    mSurface->ClearMask();
    return;
  }
  mSurface->SetMask(mask, ToRgb(kMaskColor));
}

PictureRef UserControl::Image() const {
  Materialize();
  const PixelView pixels = gdi::BitmapPixels(mImage);
  return pixels.Empty() ? nullptr : Picture::FromPixels(runtime::Pixels::CopyOf(pixels));
}

void UserControl::Cls() {
  // Whatever was still to be drawn is covered by the clearing anyway.
  mPending.clear();
  mPendingClear = ToRgb(mBackColor);
  mCurrentX = 0;
  mCurrentY = 0;
  Drawn();
}

void UserControl::PaintPicture(const PictureRef& picture, float x, float y, float width, float height) {
  if (!picture) return;
  mPending.emplace_back(PendingPicture{picture, Rect{ToPixels(x), ToPixels(y), ToPixels(width), ToPixels(height)}});
  ++mPictureCount;
  Drawn();
}

void UserControl::Materialize() const {
  if (!mPendingClear && mPending.empty()) return;
  if (const PixelView image = gdi::BitmapPixels(mImage); !image.Empty()) {
    if (mPendingClear) {
      for (int y = 0; y < image.height; ++y) std::fill(image.Row(y), image.Row(y) + image.width, *mPendingClear);
    }
    for (const auto& step : mPending) {
      if (const auto* picture = std::get_if<PendingPicture>(&step)) {
        // Views last only until the device's next call, so both are fresh.
        const PixelView target = gdi::BitmapPixels(mImage);
        const Rect& to = picture->target;
        DrawPixels(target, to.x, to.y, to.width, to.height, picture->picture->View(), picture->picture->HasAlpha());
      } else {
        const auto& text = std::get<PendingText>(step);
        WindowSystem::Current().DrawTextOn(mDc, text.font, text.colour, text.topLeft, text.text);
      }
    }
  }
  mPendingClear.reset();
  mPending.clear();
}

Font UserControl::FontToUse() const { return mFont ? *mFont : WindowSystem::Current().InterfaceFont(); }

float UserControl::TextWidth(const std::u16string& text) const {
  return Twips(WindowSystem::Current().MeasureText(FontToUse(), text).width);
}

float UserControl::TextHeight(const std::u16string& text) const {
  return Twips(WindowSystem::Current().MeasureText(FontToUse(), text).height);
}

void UserControl::Print(const std::u16string& text) {
  mPending.emplace_back(PendingText{text, Point{ToPixels(mCurrentX), ToPixels(mCurrentY)}, FontToUse(), mForeColor});
  // Printing leaves the position at the start of the next line.
  mCurrentX = 0;
  mCurrentY += TextHeight(text);
  Drawn();
}

void UserControl::PropertyChanged(std::string_view name) {
  if (mPropertyListener) mPropertyListener(name);
}

// --- the window's input, as the handlers hear of it ---

void UserControl::Pressed(const MouseInput& press, bool second) {
  mPressed = static_cast<std::int16_t>(mPressed | press.button);
  Boundary([&] {
    MouseArguments a(press);
    UserControl_MouseDown(a.button, a.shift, a.x, a.y);
  });
  // The second press of a double click is a press too, so two quick clicks
  // are two full clicks.
  if (second) Boundary([this] { UserControl_DblClick(); });
}

void UserControl::Released(const MouseInput& release) {
  const bool wasPressed = (mPressed & release.button) != 0;
  mPressed = static_cast<std::int16_t>(mPressed & ~release.button);
  Boundary([&] {
    MouseArguments a(release);
    UserControl_MouseUp(a.button, a.shift, a.x, a.y);
  });
  const Point at{static_cast<int>(std::lround(release.x)), static_cast<int>(std::lround(release.y))};
  const Rect& place = PixelPlace();
  if (wasPressed && Rect{0, 0, place.width, place.height}.Contains(at)) {
    Boundary([this] { UserControl_Click(); });
  }
}

void UserControl::Moved(const MouseInput& move) {
  Boundary([&] {
    MouseArguments a(move);
    UserControl_MouseMove(a.button, a.shift, a.x, a.y);
  });
}

void UserControl::KeyDown(std::int16_t keyCode, std::int16_t shift, bool /*repeat*/) {
  Boundary([&] {
    std::int16_t code = keyCode;
    std::int16_t modifiers = shift;
    UserControl_KeyDown(code, modifiers);
  });
}

void UserControl::KeyUp(std::int16_t keyCode, std::int16_t shift, bool repeat) {
  // A held key repeats its key-down; it comes up once, at the end.
  if (repeat) return;
  Boundary([&] {
    std::int16_t code = keyCode;
    std::int16_t modifiers = shift;
    UserControl_KeyUp(code, modifiers);
  });
}

void UserControl::Typed(char16_t character) {
  Boundary([&] {
    std::int16_t keyAscii = static_cast<std::int16_t>(character);
    UserControl_KeyPress(keyAscii);
  });
}

void UserControl::FocusIn() {
  // However the focus came, by Tab or with the activation of a window whose
  // focus was here already, the control hears of it once.
  if (mHoldsFocus) return;
  mHoldsFocus = true;
  Boundary([this] { UserControl_EnterFocus(); });
}

void UserControl::FocusOut(bool moved) {
  // A popup menu or another program taking the keyboard is not a move of
  // the focus away from the control: it gets the keyboard back after.
  if (!moved || !mHoldsFocus) return;
  mHoldsFocus = false;
  Boundary([this] { UserControl_ExitFocus(); });
}

gdi::HDC UserControl::PrepareToShow() {
  Materialize();
  return mDc;
}

}  // namespace runtime
