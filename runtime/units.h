#pragma once

#include <cmath>

namespace runtime {

// Forms are laid out in twips at 15 per pixel (logical pixels, so a scaled
// display keeps the layout).
inline constexpr double kTwipsPerPixel = 15;

// Picture sizes are in HIMETRIC, hundredths of a millimetre: 2540 per inch
// at 96 pixels per inch.
inline constexpr double kHimetricPerPixel = 2540.0 / 96.0;

inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

}  // namespace runtime
