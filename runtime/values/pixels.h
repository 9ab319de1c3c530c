// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace runtime {

// A 32-bit pixel, 0xAARRGGBB as a number: in memory on the little-endian
// machines we build for that is blue, green, red, alpha, the layout of a
// 32-bit device-independent bitmap and of Qt's 32-bit images alike, so
// either window system shows these pixels without converting them.
using Rgb = std::uint32_t;

inline constexpr Rgb kOpaque = 0xFF000000u;

constexpr Rgb MakeRgb(int red, int green, int blue, int alpha = 255) {
  return static_cast<Rgb>(alpha & 0xFF) << 24 | static_cast<Rgb>(red & 0xFF) << 16 |
         static_cast<Rgb>(green & 0xFF) << 8 | static_cast<Rgb>(blue & 0xFF);
}
constexpr int RedOf(Rgb pixel) { return static_cast<int>((pixel >> 16) & 0xFF); }
constexpr int GreenOf(Rgb pixel) { return static_cast<int>((pixel >> 8) & 0xFF); }
constexpr int BlueOf(Rgb pixel) { return static_cast<int>(pixel & 0xFF); }
constexpr int AlphaOf(Rgb pixel) { return static_cast<int>(pixel >> 24); }

// A rectangle of pixels someone else owns: a bitmap's memory, or part of
// it. Rows may lie further apart than their width (`stride`, in pixels).
struct PixelView {
  Rgb* first = nullptr;  // the top row's leftmost pixel
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;

  [[nodiscard]] bool Empty() const { return first == nullptr || width <= 0 || height <= 0; }
  [[nodiscard]] Rgb* Row(int y) const { return first + stride * y; }
  [[nodiscard]] Rgb& At(int x, int y) const { return Row(y)[x]; }
};

// An image in memory, row after row from the top. Pixels whose alpha is
// not 255 are see-through to that degree (not premultiplied); an image
// without `alpha` is opaque whatever its alpha bytes say.
class Pixels {
 public:
  Pixels() = default;
  // Filled with `fill`.
  Pixels(int width, int height, Rgb fill = kOpaque, bool alpha = false);

  [[nodiscard]] bool IsNull() const { return mWidth <= 0 || mHeight <= 0; }
  [[nodiscard]] int Width() const { return mWidth; }
  [[nodiscard]] int Height() const { return mHeight; }
  [[nodiscard]] bool HasAlpha() const { return mAlpha; }
  void SetHasAlpha(bool alpha) { mAlpha = alpha; }

  [[nodiscard]] Rgb* Row(int y) { return mData.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth); }
  [[nodiscard]] const Rgb* Row(int y) const {
    return mData.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth);
  }
  [[nodiscard]] Rgb At(int x, int y) const { return Row(y)[x]; }
  void Set(int x, int y, Rgb pixel) { Row(y)[x] = pixel; }
  void Fill(Rgb pixel);

  [[nodiscard]] PixelView View() { return {mData.data(), mWidth, mHeight, mWidth}; }
  // For reading only, whatever the view's type says.
  [[nodiscard]] PixelView View() const { return {const_cast<Rgb*>(mData.data()), mWidth, mHeight, mWidth}; }
  [[nodiscard]] const std::vector<Rgb>& Data() const { return mData; }

  // A copy of the pixels a view shows.
  static Pixels CopyOf(const PixelView& view, bool alpha = false);

  bool operator==(const Pixels&) const = default;

 private:
  int mWidth = 0;
  int mHeight = 0;
  bool mAlpha = false;
  std::vector<Rgb> mData;
};

// Decoded pictures are shared, never changed once made.
using PixelsRef = std::shared_ptr<const Pixels>;

// Copies `source` into `target` with its top-left corner at (x, y),
// stretched (nearest pixel, no blur) to `width` x `height`, blending pixels
// that are partly see-through over what is there. Parts outside `target`
// are left out.
void DrawPixels(const PixelView& target, int x, int y, int width, int height, const PixelView& source,
                bool sourceHasAlpha);

// Copies a `width` x `height` block from (sourceX, sourceY) of `source` to
// (x, y) of `target`, pixel for pixel, alpha included; parts outside either
// are left out.
void CopyPixels(const PixelView& target, int x, int y, int width, int height, const PixelView& source, int sourceX,
                int sourceY);

}  // namespace runtime
