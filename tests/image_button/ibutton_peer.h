// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>

#include "image_button/ibutton.h"
#include "support/user_control_peer.h"

namespace test_support {

// What tests read of an iButton beyond its public members: the state on
// screen, the cut pictures, whether it polls the pointer, how often it cut
// its strip and drew itself, and its area capture.
class IButtonPeer : public UserControlPeer {
 public:
  explicit IButtonPeer(const image_button::iButton& button) : UserControlPeer(button), mButton(button) {}

  [[nodiscard]] std::int32_t DrawnState() const { return mButton.mDrawnState; }
  [[nodiscard]] bool Tracking() const { return mButton.Timer1.Enabled(); }
  [[nodiscard]] std::size_t StateImageCount() const { return mButton.mStateImages.size(); }
  [[nodiscard]] runtime::PictureRef StateImageFor(std::int32_t state) const { return mButton.StateImage(state); }
  [[nodiscard]] int CutCount() const { return mButton.mCuts; }
  [[nodiscard]] int DrawButtonCount() const { return mButton.mDraws; }

  static runtime::PictureRef CaptureArea(runtime::gdi::HDC source, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::int32_t height) {
    return image_button::iButton::CaptureArea(source, x, y, width, height);
  }
  static runtime::PictureRef BitmapToPicture(runtime::gdi::HBITMAP bitmap, runtime::gdi::HPALETTE palette) {
    return image_button::iButton::BitmapToPicture(bitmap, palette);
  }

 private:
  const image_button::iButton& mButton;
};

}  // namespace test_support
