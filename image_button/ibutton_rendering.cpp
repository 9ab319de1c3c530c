// Drawing: the strip cut into state pictures, the picture of the state on
// screen, the centred caption and the focus frame.
#include <cmath>
#include <cstdlib>

#include "image_button/ibutton.h"
#include "runtime/arithmetic.h"
#include "runtime/gdi.h"
#include "runtime/runtime_error.h"
#include "runtime/units.h"
#include "runtime/win32.h"

namespace image_button {

using runtime::Boolean;
using runtime::kFalse;
using runtime::kTrue;

namespace {

// The control's own conversion of HIMETRIC to pixels, kept as designed
// (not 2540/96), so that strips cut the same everywhere.
constexpr double kHimetricPerPixel = 26.45836;
constexpr std::int32_t kTwipsPerPixel = 15;
constexpr std::int32_t kPressedOffset = 15;  // twips: one pixel right and down

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
  if (mCaption.isEmpty()) return;
  const double tw = TextWidth(mCaption);
  const double w = Width();
  const std::int32_t x = runtime::RoundToLong(w / 2 - tw / 2);
  const double th = TextHeight(mCaption);
  const double h = Height();
  const std::int32_t y = runtime::RoundToLong(h / 2 - th / 2);
  if (state == 2) {
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
  if (BackStyle() != 0) {
    PaintPicture(picture, 0, 0, Width(), Height());
  } else if (mAutoSize != kFalse) {
    SetMaskPicture(picture);
    PaintPicture(picture, 0, 0, Width(), Height());
  } else {
    SetBackStyle(1);
    PaintPicture(picture, 0, 0, Width(), Height());
    SetMaskPicture(Image());
    SetBackStyle(0);
  }
}

runtime::PictureRef iButton::StateImage(std::int32_t state) const {
  if (mImagesReady == kFalse) return nullptr;
  const std::int32_t toggled = runtime::CheckedMultiply(runtime::CheckedMultiply(std::abs(mValue), mStyle), 4);
  const std::int32_t index = runtime::CheckedAdd(state, toggled);
  if (index < 0 || static_cast<std::size_t>(index) >= mStateImages.size()) {
    runtime::Raise(runtime::kSubscriptOutOfRange);
  }
  return mStateImages[static_cast<std::size_t>(index)];
}

std::int32_t iButton::FrameWidth() const {
  const double wH = mBackPicture->Width();
  return runtime::RoundToLong(mStyle != 0 ? wH / kHimetricPerPixel / 10 : wH / kHimetricPerPixel / 5);
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
    const std::int32_t last = runtime::CheckedAdd(runtime::CheckedMultiply(mStyle, 4), 3);
    if (last < 0) runtime::Raise(runtime::kSubscriptOutOfRange);
    mStateImages.resize(static_cast<std::size_t>(last) + 1);
    for (std::int32_t i = 0; i <= last; ++i) {
      mStateImages[static_cast<std::size_t>(i)] = CaptureArea(mem, runtime::CheckedMultiply(fw, i), 0, fw, fh);
    }
    if (mAutoSize != kFalse && fw > 0 && fh > 0) {
      SetWidth(static_cast<float>(runtime::CheckedMultiply(fw, kTwipsPerPixel)));
      SetHeight(static_cast<float>(runtime::CheckedMultiply(fh, kTwipsPerPixel)));
    }
    mImagesReady = kTrue;
  }
  cMouseAction(CurrentState(), kTrue);
}

void iButton::UserControl_Resize() {
  if (AutoSize() != kFalse && mBackPicture) {
    SetWidth(static_cast<float>(runtime::CheckedMultiply(FrameWidth(), kTwipsPerPixel)));
    SetHeight(static_cast<float>(runtime::CheckedMultiply(FrameHeight(), kTwipsPerPixel)));
  }
  cMouseAction(CurrentState(), kTrue);
}

void iButton::UserControl_Show() {
  if (Tag().isEmpty()) {
    LoadStateImages();
    SetTag(QStringLiteral("1"));
  }
}

void iButton::DrawFocusFrame() {
  runtime::win32::RECT frame{};
  frame.left = 3;
  frame.top = 3;
  frame.right = runtime::RoundToLong(Width() / runtime::kTwipsPerPixel - 3);
  frame.bottom = runtime::RoundToLong(Height() / runtime::kTwipsPerPixel - 3);
  runtime::win32::DrawFocusRect(hdc(), &frame);
}

}  // namespace image_button
