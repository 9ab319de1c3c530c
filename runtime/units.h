#pragma once

#include <cmath>

namespace runtime {

// Forms are laid out in twips at 15 per pixel (logical pixels, so a scaled
// display keeps the layout).
inline constexpr int kTwipsPerPixel = 15;

// A point is a twentieth of an inch's 1440 twips.
inline constexpr double kTwipsPerPoint = 20;

inline int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

// The whole number of logical pixels a font of `points` is drawn at, as the
// design's fonts were drawn: 10.5 pt is 14 pixels, 9 pt is 12.
inline int PointsToPixels(double points) {
  return static_cast<int>(std::lround(points * kTwipsPerPoint / kTwipsPerPixel));
}

}  // namespace runtime
