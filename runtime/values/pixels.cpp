// SPDX-License-Identifier: MIT
#include "runtime/values/pixels.h"

#include <algorithm>
#include <cstring>

namespace runtime {

Pixels::Pixels(int width, int height, Rgb fill, bool alpha)
    : mWidth(std::max(width, 0)),
      mHeight(std::max(height, 0)),
      mAlpha(alpha),
      mData(static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight), fill) {
  if (mData.empty()) mWidth = mHeight = 0;
}

void Pixels::Fill(Rgb pixel) { std::fill(mData.begin(), mData.end(), pixel); }

Pixels Pixels::CopyOf(const PixelView& view, bool alpha) {
  if (view.Empty()) return {};
  Pixels copy(view.width, view.height, 0, alpha);
  for (int y = 0; y < view.height; ++y) {
    std::memcpy(copy.Row(y), view.Row(y), static_cast<std::size_t>(view.width) * sizeof(Rgb));
  }
  return copy;
}

namespace {

// `over` laid on the opaque `under` with its own alpha.
Rgb Blend(Rgb over, Rgb under) {
  const int a = AlphaOf(over);
  if (a == 255) return over;
  if (a == 0) return under;
  auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a) + 127) / 255; };
  return MakeRgb(mix(RedOf(over), RedOf(under)), mix(GreenOf(over), GreenOf(under)),
                 mix(BlueOf(over), BlueOf(under)), std::max(a, AlphaOf(under)));
}

}  // namespace

void DrawPixels(const PixelView& target, int x, int y, int width, int height, const PixelView& source,
                bool sourceHasAlpha) {
  if (target.Empty() || source.Empty() || width <= 0 || height <= 0) return;
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + width, target.width));
  const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(y) + height, target.height));
  if (left >= right || top >= bottom) return;
  const bool plain = width == source.width && height == source.height && !sourceHasAlpha;
  for (int row = top; row < bottom; ++row) {
    Rgb* out = target.Row(row);
    const auto fromRow = static_cast<int>(static_cast<long long>(row - y) * source.height / height);
    const Rgb* in = source.Row(fromRow);
    if (plain) {
      std::memcpy(out + left, in + (left - x), static_cast<std::size_t>(right - left) * sizeof(Rgb));
      continue;
    }
    for (int column = left; column < right; ++column) {
      const auto fromColumn = static_cast<int>(static_cast<long long>(column - x) * source.width / width);
      const Rgb pixel = in[fromColumn];
      out[column] = sourceHasAlpha ? Blend(pixel, out[column]) : (pixel | kOpaque);
    }
  }
}

void CopyPixels(const PixelView& target, int x, int y, int width, int height, const PixelView& source, int sourceX,
                int sourceY) {
  if (target.Empty() || source.Empty() || width <= 0 || height <= 0) return;
  // Clip to both: the block's columns and rows that lie in each.
  long long left = std::max<long long>({0, x, static_cast<long long>(x) - sourceX});
  long long top = std::max<long long>({0, y, static_cast<long long>(y) - sourceY});
  const long long right = std::min<long long>({static_cast<long long>(x) + width, target.width,
                                               static_cast<long long>(x) - sourceX + source.width});
  const long long bottom = std::min<long long>({static_cast<long long>(y) + height, target.height,
                                                static_cast<long long>(y) - sourceY + source.height});
  left = std::max<long long>(left, static_cast<long long>(x));
  top = std::max<long long>(top, static_cast<long long>(y));
  if (left >= right || top >= bottom) return;
  for (long long row = top; row < bottom; ++row) {
    std::memcpy(target.Row(static_cast<int>(row)) + left,
                source.Row(static_cast<int>(row - y + sourceY)) + (left - x + sourceX),
                static_cast<std::size_t>(right - left) * sizeof(Rgb));
  }
}

}  // namespace runtime
