// SPDX-License-Identifier: MIT
#include "runtime/values/picture.h"

#include <exception>
#include <future>
#include <unordered_map>
#include <utility>

#include "runtime/seam/gdi_device.h"
#include "runtime/seam/window_system.h"
#include "runtime/values/picture_file.h"
#include "runtime/values/units.h"
#include "runtime/work_ahead.h"

namespace runtime {
namespace {

GdiDevice& Device() { return WindowSystem::Current().Gdi(); }

}  // namespace

Picture::Picture(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own, bool alpha, std::string file)
    : mBitmap(bitmap), mPalette(palette), mOwn(own), mAlpha(alpha), mFile(std::move(file)) {}

Picture::~Picture() {
  if (!mOwn || !WindowSystem::Installed()) return;
  Device().DeleteObject(mBitmap);
  if (mPalette != 0) Device().DeleteObject(mPalette);
}

namespace {

// The files decoding ahead, each with the promise of its images; only the
// user-interface thread touches the list, the worker only the promises.
using Pending = std::vector<std::pair<std::string, std::shared_future<std::vector<Pixels>>>>;

Pending& DecodingAhead() {
  static Pending pending;
  return pending;
}

}  // namespace

void DecodeAhead(const std::vector<std::string>& files) {
  // Earlier files nobody took are dropped; their decoding, if still under
  // way, is not waited for.
  DecodingAhead().clear();
  std::vector<std::promise<std::vector<Pixels>>> promises(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    DecodingAhead().emplace_back(files[i], promises[i].get_future().share());
  }
  // A std::function must be copyable, and promises are not: they are shared.
  auto shared = std::make_shared<std::vector<std::promise<std::vector<Pixels>>>>(std::move(promises));
  WorkAhead([files, shared] {
    std::vector<std::promise<std::vector<Pixels>>>& promises = *shared;
    for (std::size_t i = 0; i < promises.size(); ++i) {
      try {
        promises[i].set_value(DecodePictureFile(files[i]));
      } catch (...) {
        // Handed to whoever takes the pictures, as if decoded there.
        promises[i].set_exception(std::current_exception());
      }
    }
  });
}

std::optional<std::vector<Pixels>> TakeDecodedAhead(const std::string& bytes) {
  Pending& pending = DecodingAhead();
  for (auto entry = pending.begin(); entry != pending.end(); ++entry) {
    if (entry->first != bytes) continue;
    const std::shared_future<std::vector<Pixels>> images = std::move(entry->second);
    pending.erase(entry);
    return images.get();
  }
  return std::nullopt;
}

void FinishDecodingAhead() {
  FinishWorkAhead();
  DecodingAhead().clear();
}

PixelsRef DecodedPicture(const std::string& bytes) {
  static std::unordered_map<std::string, PixelsRef> recent;
  if (const auto found = recent.find(bytes); found != recent.end()) return found->second;
  std::optional<std::vector<Pixels>> ahead = TakeDecodedAhead(bytes);
  Pixels first = ahead ? (ahead->empty() ? Pixels() : std::move(ahead->front())) : DecodeFirstPicture(bytes);
  if (first.IsNull()) return nullptr;
  auto pixels = std::make_shared<const Pixels>(std::move(first));
  constexpr std::size_t kRemembered = 16;
  constexpr long long kLargestRemembered = 1024 * 1024;  // pixels: skins and strips, not photographs
  if (recent.size() >= kRemembered) recent.clear();
  if (static_cast<long long>(pixels->Width()) * pixels->Height() <= kLargestRemembered) recent.emplace(bytes, pixels);
  return pixels;
}

std::shared_ptr<Picture> Picture::FromFile(const std::string& bytes) {
  const PixelsRef pixels = DecodedPicture(bytes);
  if (!pixels) return nullptr;
  const gdi::HBITMAP bitmap = Device().CreateBitmap(*pixels);
  if (bitmap == 0) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, 0, true, pixels->HasAlpha(), bytes));
}

std::shared_ptr<Picture> Picture::FromHandles(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own) {
  if (!Device().IsBitmap(bitmap)) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, palette, own, false, {}));
}

std::shared_ptr<Picture> Picture::FromPixels(const Pixels& pixels) {
  const gdi::HBITMAP bitmap = Device().CreateBitmap(pixels);
  if (bitmap == 0) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, 0, true, pixels.HasAlpha(), {}));
}

PixelView Picture::View() const { return Device().BitmapPixels(mBitmap); }

Pixels Picture::Copy() const { return Pixels::CopyOf(View(), mAlpha); }

std::int32_t Picture::Width() const { return PixelsToHimetric(View().width); }

std::int32_t Picture::Height() const { return PixelsToHimetric(View().height); }

std::string Picture::FileBytes() const {
  if (!mFile.empty()) return mFile;
  return EncodeBmp(Copy());
}

}  // namespace runtime
