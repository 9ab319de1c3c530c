// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstdint>

namespace runtime {

// Forms are laid out in twips at 15 per pixel (logical pixels, so a scaled
// display keeps the layout).
inline constexpr int kTwipsPerPixel = 15;

// A point is a twentieth of an inch's 1440 twips.
inline constexpr double kTwipsPerPoint = 20;
inline constexpr double kTwipsPerInch = 1440;

// Picture sizes and a control's saved extent are in HIMETRIC, hundredths of
// a millimetre: 2540 to the inch.
inline constexpr double kHimetricPerInch = 2540;

inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

inline std::int32_t TwipsToHimetric(double twips) {
  return static_cast<std::int32_t>(std::lround(twips * kHimetricPerInch / kTwipsPerInch));
}

// 96 pixels to the inch: 175 pixels are 4630.
inline std::int32_t PixelsToHimetric(double pixels) { return TwipsToHimetric(PixelsToTwips(pixels)); }

// The whole number of logical pixels a font of `points` is drawn at, as the
// design's fonts were drawn: 10.5 pt is 14 pixels, 9 pt is 12.
inline int PointsToPixels(double points) {
  return static_cast<int>(std::lround(points * kTwipsPerPoint / kTwipsPerPixel));
}

}  // namespace runtime
