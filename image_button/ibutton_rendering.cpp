// SPDX-License-Identifier: MIT
// Drawing: the strip cut into state pictures, the picture of the state on
// screen, the centred caption and the focus frame.
#include <cmath>
#include <cstdlib>

#include "image_button/ibutton.h"
#include "runtime/runtime_error.h"
#include "runtime/values/arithmetic.h"
#include "runtime/values/units.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/win32.h"

namespace image_button {

using runtime::Boolean;
using runtime::kFalse;
using runtime::kTrue;

namespace {

// The control's own conversion of HIMETRIC to pixels, kept as designed
// (not 2540/96), so that strips cut the same everywhere.
constexpr double kHimetricPerPixel = 26.45836;
constexpr std::int32_t kPressedOffset = runtime::kTwipsPerPixel;  // one pixel right and down
// A strip's frames: four states, and for a toggle button four more for Value
// True; each strip has room for one frame more than it uses.
constexpr std::int32_t kStates = 4;
constexpr std::int32_t kPushButtonFrames = 5;
constexpr std::int32_t kToggleButtonFrames = 10;
// The focus frame stands this many pixels inside the control's edge.
constexpr std::int32_t kFocusInset = 3;

}  // namespace

void iButton::cMouseAction(std::int32_t cAction, Boolean vComplePaint) {
  if (cAction != mDrawnState || vComplePaint != kFalse) {
    mDrawnState = cAction;
    DrawButton(cAction);
  }
}

void iButton::DrawButton(std::int32_t state) {
  ++mDraws;
  Cls();
  DrawStateImage();
  if (mCaption.empty()) return;
  const double tw = TextWidth(mCaption);
  const double w = Width();
  const std::int32_t x = runtime::RoundToLong(w / 2 - tw / 2);
  const double th = TextHeight(mCaption);
  const double h = Height();
  const std::int32_t y = runtime::RoundToLong(h / 2 - th / 2);
  if (state == Pressed) {
    SetCurrentX(static_cast<float>(runtime::CheckedAdd(x, kPressedOffset)));
    SetCurrentY(static_cast<float>(runtime::CheckedAdd(y, kPressedOffset)));
  } else {
    SetCurrentX(static_cast<float>(x));
    SetCurrentY(static_cast<float>(y));
  }
  Print(mCaption);
}

void iButton::DrawStateImage() {
  const runtime::PictureRef picture = StateImage(mDrawnState);
  if (!picture) return;
  if (BackStyle() != kTransparent) {
    PaintPicture(picture, 0, 0, Width(), Height());
  } else if (mAutoSize != kFalse) {
    SetMaskPicture(picture);
    PaintPicture(picture, 0, 0, Width(), Height());
  } else {
    SetBackStyle(kOpaque);
    PaintPicture(picture, 0, 0, Width(), Height());
    SetMaskPicture(Image());
    SetBackStyle(kTransparent);
  }
}

runtime::PictureRef iButton::StateImage(std::int32_t state) const {
  if (mImagesReady == kFalse) return nullptr;
  const std::int32_t toggled = runtime::CheckedMultiply(runtime::CheckedMultiply(std::abs(mValue), mStyle), kStates);
  const std::int32_t index = runtime::CheckedAdd(state, toggled);
  if (index < 0 || static_cast<std::size_t>(index) >= mStateImages.size()) {
    runtime::Raise(runtime::kSubscriptOutOfRange);
  }
  return mStateImages[static_cast<std::size_t>(index)];
}

std::int32_t iButton::FrameWidth() const {
  const double wH = mBackPicture->Width();
  return runtime::RoundToLong(mStyle != PushButton ? wH / kHimetricPerPixel / kToggleButtonFrames
                                                   : wH / kHimetricPerPixel / kPushButtonFrames);
}

std::int32_t iButton::FrameHeight() const {
  return runtime::RoundToLong(mBackPicture->Height() / kHimetricPerPixel);
}

void iButton::LoadStateImages() {
  mStateImages.clear();
  if (!mBackPicture) {
    mImagesReady = kFalse;
  } else {
    ++mCuts;
    const std::int32_t fh = FrameHeight();
    const std::int32_t fw = FrameWidth();
    const runtime::gdi::HDC mem = runtime::gdi::CreateCompatibleDC(hdc());
    // The DC goes however the cut ends, an overflow included.
    struct DeleteWhenDone {
      runtime::gdi::HDC dc;
      ~DeleteWhenDone() { runtime::gdi::DeleteDC(dc); }
    } done{mem};
    runtime::gdi::SelectObject(mem, mBackPicture->Handle());
    const std::int32_t last = runtime::CheckedAdd(runtime::CheckedMultiply(mStyle, kStates), kStates - 1);
    if (last < 0) runtime::Raise(runtime::kSubscriptOutOfRange);
    mStateImages.resize(static_cast<std::size_t>(last) + 1);
    for (std::int32_t i = 0; i <= last; ++i) {
      mStateImages[static_cast<std::size_t>(i)] = CaptureArea(mem, runtime::CheckedMultiply(fw, i), 0, fw, fh);
    }
    if (mAutoSize != kFalse && fw > 0 && fh > 0) {
      SetWidth(static_cast<float>(runtime::CheckedMultiply(fw, runtime::kTwipsPerPixel)));
      SetHeight(static_cast<float>(runtime::CheckedMultiply(fh, runtime::kTwipsPerPixel)));
    }
    mImagesReady = kTrue;
  }
  cMouseAction(CurrentState(), kTrue);
}

void iButton::UserControl_Resize() {
  if (AutoSize() != kFalse && mBackPicture) {
    SetWidth(static_cast<float>(runtime::CheckedMultiply(FrameWidth(), runtime::kTwipsPerPixel)));
    SetHeight(static_cast<float>(runtime::CheckedMultiply(FrameHeight(), runtime::kTwipsPerPixel)));
  }
  cMouseAction(CurrentState(), kTrue);
}

void iButton::UserControl_Show() {
  if (Tag().empty()) {
    LoadStateImages();
    SetTag(u"1");
  }
}

void iButton::DrawFocusFrame() {
  runtime::win32::RECT frame{};
  frame.left = kFocusInset;
  frame.top = kFocusInset;
  frame.right = runtime::RoundToLong(static_cast<double>(Width()) / runtime::kTwipsPerPixel - kFocusInset);
  frame.bottom = runtime::RoundToLong(static_cast<double>(Height()) / runtime::kTwipsPerPixel - kFocusInset);
  runtime::win32::DrawFocusRect(hdc(), &frame);
}

}  // namespace image_button
