// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "runtime/controls/user_control.h"
#include "runtime/values/picture.h"
#include "runtime/values/pixels.h"

namespace test_support {

// What tests read of a user control's surface that its container never
// sees: what the surface shows, its back style and mask, and how many
// pictures were painted on it.
class UserControlPeer {
 public:
  explicit UserControlPeer(const runtime::UserControl& control) : mControl(control) {}

  // The persistent image's pixels, as the surface shows them.
  [[nodiscard]] runtime::Pixels ImagePixels() const {
    const runtime::PictureRef image = mControl.Image();
    return image ? image->Copy() : runtime::Pixels();
  }
  [[nodiscard]] std::int16_t BackStyle() const { return mControl.BackStyle(); }
  [[nodiscard]] const runtime::PictureRef& MaskPicture() const { return mControl.MaskPicture(); }
  [[nodiscard]] int PictureCount() const { return mControl.mPictureCount; }

 private:
  const runtime::UserControl& mControl;
};

}  // namespace test_support
