// SPDX-License-Identifier: MIT
// Any bytes as a picture file: images within the size limit, none of them
// null, the first one the same whether read alone or with the rest, opaque
// ones opaque, and each written as a BMP read back exactly; never a crash
// or a read past the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "runtime/values/picture_file.h"
#include "runtime/values/pixels.h"

namespace {

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void CheckBmpRoundTrip(const runtime::Pixels& image) {
  const std::vector<runtime::Pixels> again = runtime::DecodePictureFile(runtime::EncodeBmp(image));
  Check(again.size() == 1 && again.front() == image, "an image written as a BMP read back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<runtime::Pixels> images = runtime::DecodePictureFile(bytes);
  const runtime::Pixels first = runtime::DecodeFirstPicture(bytes);
  Check(images.empty() ? first.IsNull() : first == images.front(), "the first image differs when read alone");
  constexpr std::int64_t kSide = runtime::kLargestPictureSide;
  std::int64_t total = 0;
  for (const runtime::Pixels& image : images) {
    Check(!image.IsNull(), "a null image");
    Check(image.Width() <= kSide && image.Height() <= kSide, "an image over the size limit");
    total += std::int64_t{image.Width()} * image.Height();
    if (!image.HasAlpha()) {
      const auto& pixels = image.Data();
      Check(std::all_of(pixels.begin(), pixels.end(), [](runtime::Rgb p) { return runtime::AlphaOf(p) == 255; }),
            "an opaque image with alpha below 255");
    }
  }
  Check(total <= kSide * kSide, "a file's images over the size limit together");
  // The first and the last: an icon's frames in between add little.
  if (!images.empty()) CheckBmpRoundTrip(images.front());
  if (images.size() > 1) CheckBmpRoundTrip(images.back());
  return 0;
}
