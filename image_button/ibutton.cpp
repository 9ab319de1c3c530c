// SPDX-License-Identifier: MIT
#include "image_button/ibutton.h"

#include "runtime/design/property_bag.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/child_window.h"
#include "runtime/values/arithmetic.h"
#include "runtime/values/variant.h"
#include "runtime/win32/win32.h"

namespace image_button {

using runtime::Boolean;
using runtime::kFalse;
using runtime::kTrue;
using runtime::Variant;

namespace {

// A strip is laid out for push buttons (0) and toggle buttons (1) only; any
// other style would cut an unbounded number of pictures from it.
void CheckStyle(std::int32_t style, const char* what) {
  if (style != iButton::PushButton && style != iButton::ToggleButton) {
    runtime::Raise(runtime::kInvalidPropertyValue, what);
  }
}

}  // namespace

iButton::iButton(runtime::FormWindow& form) : runtime::UserControl(form) {
  Timer1.Tick.Handle([this] { Timer1_Timer(); });
}

iButton::~iButton() = default;

// ---- properties ----

std::int32_t iButton::Hwnd() const { return hWnd(); }

std::int16_t iButton::cDrawMode() const { return DrawMode(); }

void iButton::LetcDrawMode(std::int16_t mode) {
  SetDrawMode(mode);
  Redraw();
  PropertyChanged("cDrawMode");
}

runtime::FontRef iButton::cFont() const { return GetFont(); }

void iButton::SetcFont(runtime::FontRef font) {
  if (!font) runtime::Raise(runtime::kObjectNotSet);
  SetFont(std::move(font));
  Redraw();
  PropertyChanged("cFont");
}

runtime::Colour iButton::cForeColor() const { return ForeColor(); }

void iButton::LetcForeColor(runtime::Colour colour) {
  SetForeColor(colour);
  Redraw();
  PropertyChanged("cForeColor");
}

void iButton::LetAutoSize(Boolean autoSize) {
  mAutoSize = runtime::ToBoolean(autoSize != kFalse);
  if (mAutoSize != kFalse) LoadStateImages();
  PropertyChanged("AutoSize");
}

void iButton::LetValue(Boolean value) {
  if (mStyle == ToggleButton) {
    mValue = runtime::ToBoolean(value != kFalse);
    Refresh();
  } else {
    mValue = kFalse;
  }
}

void iButton::LetStyle(std::int32_t style) {
  CheckStyle(style, "Style is 0 or 1");
  mStyle = style;
  LoadStateImages();
  PropertyChanged("Style");
}

void iButton::SetBackPicture(runtime::PictureRef picture) {
  mBackPicture = std::move(picture);
  LoadStateImages();
  PropertyChanged("BackPicture");
}

void iButton::LetEnabled(Boolean enabled) {
  SetEnabled(runtime::ToBoolean(enabled != kFalse));
  Refresh();
  PropertyChanged("Enabled");
}

void iButton::LetcBackStyle(std::int32_t style) {
  const std::int16_t narrow = runtime::NarrowToInteger(style);
  SetBackStyle(narrow);
  if (BackColor() == 0) SetMaskPicture(nullptr);
  Redraw();
  PropertyChanged("cBackStyle");
}

void iButton::LetCaption(const std::u16string& caption) {
  mCaption = caption;
  Redraw();
  PropertyChanged("Caption");
}

void iButton::Redraw() { DrawButton(CurrentState()); }

void iButton::Refresh() { cMouseAction(CurrentState(), kTrue); }

// ---- state queries ----

Boolean iButton::IsMouseOver() const {
  // A window that is not on screen cannot be under the pointer; there is no
  // need to ask the window system (the form draws its buttons before it
  // shows them).
  if (!Window().IsOnScreen()) return kFalse;
  runtime::win32::POINTAPI point{0, 0};
  runtime::win32::GetCursorPos(&point);
  const std::int32_t under = runtime::win32::WindowFromPoint(point);
  return runtime::ToBoolean(under == Hwnd());
}

std::int32_t iButton::CurrentState() const {
  if (Enabled() != kTrue) return Disabled;
  if (mLeftDown != kFalse) return IsMouseOver() != kFalse ? Pressed : Normal;
  return IsMouseOver() != kFalse ? Hover : Normal;
}

// ---- lifecycle and persistence ----

void iButton::UserControl_Initialize() { LoadStateImages(); }

void iButton::UserControl_ReadProperties(runtime::PropertyBag& PropBag) {
  // Straight into the members and the surface: loading draws nothing and
  // cuts nothing; the first show does.
  mBackPicture = PropBag.ReadProperty("BackPicture", Variant::Nothing()).ToPicture();
  SetEnabled(PropBag.ReadProperty("Enabled", Variant::FromBoolean(kTrue)).ToBoolean());
  SetBackStyle(PropBag.ReadProperty("cBackStyle", Variant::FromInteger(kOpaque)).ToInteger());
  mCaption = PropBag.ReadProperty("Caption", Variant::FromString(std::u16string())).ToString();
  const std::int32_t style = PropBag.ReadProperty("Style", Variant::FromInteger(PushButton)).ToLong();
  CheckStyle(style, "saved setting 'Style' is neither 0 nor 1");
  mStyle = style;
  mAutoSize = PropBag.ReadProperty("AutoSize", Variant::FromBoolean(kTrue)).ToBoolean();
  SetForeColor(static_cast<runtime::Colour>(
      PropBag.ReadProperty("cForeColor", Variant::FromLong(static_cast<std::int32_t>(ForeColor()))).ToLong()));
  SetFont(PropBag.ReadProperty("cFont", Variant::FromFont(GetFont())).ToFont());
  SetDrawMode(PropBag.ReadProperty("cDrawMode", Variant::FromInteger(DrawMode())).ToInteger());
}

void iButton::UserControl_WriteProperties(runtime::PropertyBag& PropBag) {
  PropBag.WriteProperty("BackPicture", Variant::FromPicture(mBackPicture), Variant::Nothing());
  PropBag.WriteProperty("Enabled", Variant::FromBoolean(Enabled()), Variant::FromBoolean(kTrue));
  PropBag.WriteProperty("Style", Variant::FromLong(mStyle), Variant::FromInteger(PushButton));
  PropBag.WriteProperty("cBackStyle", Variant::FromInteger(BackStyle()), Variant::FromInteger(kOpaque));
  PropBag.WriteProperty("Caption", Variant::FromString(mCaption), Variant::FromString(std::u16string()));
  PropBag.WriteProperty("AutoSize", Variant::FromBoolean(mAutoSize), Variant::FromBoolean(kTrue));
  PropBag.WriteProperty("cFont", Variant::FromFont(GetFont()));
  PropBag.WriteProperty("cDrawMode", Variant::FromInteger(DrawMode()));
  PropBag.WriteProperty("cForeColor", Variant::FromLong(static_cast<std::int32_t>(ForeColor())));
}

void iButton::UserControl_Terminate() {
  mStateImages.clear();
  mBackPicture.reset();
}

}  // namespace image_button
