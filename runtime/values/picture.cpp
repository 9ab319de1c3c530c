// SPDX-License-Identifier: MIT
#include "runtime/values/picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QImageReader>
#include <exception>
#include <future>
#include <utility>
#include <vector>

#include "runtime/values/units.h"
#include "runtime/work_ahead.h"

namespace runtime {

Picture::Picture(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own, QByteArray file)
    : mBitmap(bitmap), mPalette(palette), mOwn(own), mFile(std::move(file)) {}

Picture::~Picture() {
  if (!mOwn) return;
  gdi::DeleteObject(mBitmap);
  if (mPalette != 0) gdi::DeleteObject(mPalette);
}

QByteArray PictureFormat(const QByteArray& bytes) {
  static const struct {
    const char* magic;
    int length;
    const char* format;
  } kFormats[] = {{"\xFF\xD8\xFF", 3, "jpeg"}, {"\x89PNG\r\n\x1A\n", 8, "png"}, {"GIF87a", 6, "gif"},
                  {"GIF89a", 6, "gif"},          {"BM", 2, "bmp"},                {"\0\0\1\0", 4, "ico"}};
  for (const auto& known : kFormats) {
    if (bytes.startsWith(QByteArrayView(known.magic, known.length))) return known.format;
  }
  return {};
}

void ReadAsAnnounced(QImageReader& reader, const QByteArray& bytes) {
  const QByteArray format = PictureFormat(bytes);
  if (format.isEmpty()) return;
  reader.setFormat(format);
  // With detection on, Qt loads every image plugin ahead of the named
  // format's, asking each whether it reads that format.
  reader.setAutoDetectImageFormat(false);
}

namespace {

// The first image the file holds, or every one of them.
QList<QImage> Read(const QByteArray& bytes, bool every) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  ReadAsAnnounced(reader, bytes);
  QList<QImage> images;
  const int count = every ? std::max(1, reader.imageCount()) : 1;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && !reader.jumpToNextImage()) break;
    // The reader's own allocation limit refuses absurd declared sizes.
    images.append(reader.read());
  }
  return images;
}

}  // namespace

QList<QImage> DecodeAll(const QByteArray& bytes) { return Read(bytes, true); }

namespace {

// The files decoding ahead, each with the promise of its images; only the
// user-interface thread touches the list, the worker only the promises.
using Pending = std::vector<std::pair<QByteArray, std::shared_future<QList<QImage>>>>;

Pending& DecodingAhead() {
  static Pending pending;
  return pending;
}

}  // namespace

void DecodeAhead(const QList<QByteArray>& files) {
  // Earlier files nobody took are dropped; their decoding, if still under
  // way, is not waited for.
  DecodingAhead().clear();
  // What nobody took is dropped as Qt goes, once the worker is done.
  static const bool droppedWithQt = (qAddPostRoutine(FinishDecodingAhead), true);
  (void)droppedWithQt;
  std::vector<std::promise<QList<QImage>>> promises(static_cast<std::size_t>(files.size()));
  for (qsizetype i = 0; i < files.size(); ++i) {
    DecodingAhead().emplace_back(files[i], promises[static_cast<std::size_t>(i)].get_future().share());
  }
  // A std::function must be copyable, and promises are not: they are shared.
  auto shared = std::make_shared<std::vector<std::promise<QList<QImage>>>>(std::move(promises));
  WorkAhead([files, shared] {
    std::vector<std::promise<QList<QImage>>>& promises = *shared;
    for (std::size_t i = 0; i < promises.size(); ++i) {
      try {
        promises[i].set_value(DecodeAll(files[static_cast<qsizetype>(i)]));
      } catch (...) {
        // Handed to whoever takes the pictures, as if decoded there.
        promises[i].set_exception(std::current_exception());
      }
    }
  });
}

std::optional<QList<QImage>> TakeDecodedAhead(const QByteArray& bytes) {
  Pending& pending = DecodingAhead();
  for (auto entry = pending.begin(); entry != pending.end(); ++entry) {
    if (entry->first != bytes) continue;
    const std::shared_future<QList<QImage>> images = std::move(entry->second);
    pending.erase(entry);
    return images.get();
  }
  return std::nullopt;
}

void FinishDecodingAhead() {
  FinishWorkAhead();
  DecodingAhead().clear();
}

namespace {

// Designs often hold the same picture many times (ten keys share one strip):
// each is decoded once. The pixels are shared until someone draws into one.
QImage Decoded(const QByteArray& bytes) {
  static QHash<QByteArray, QImage> recent;
  if (const auto found = recent.constFind(bytes); found != recent.constEnd()) return *found;
  const std::optional<QList<QImage>> ahead = TakeDecodedAhead(bytes);
  const QImage pixels = (ahead ? *ahead : Read(bytes, false)).value(0);
  constexpr qsizetype kRemembered = 16;
  constexpr qint64 kLargestRemembered = 1024 * 1024;  // pixels: skins and strips, not photographs
  if (recent.size() >= kRemembered) recent.clear();
  if (!pixels.isNull() && static_cast<qint64>(pixels.width()) * pixels.height() <= kLargestRemembered) {
    recent.insert(bytes, pixels);
  }
  return pixels;
}

}  // namespace

std::shared_ptr<Picture> Picture::FromFile(const QByteArray& bytes) {
  QImage pixels = Decoded(bytes);
  if (pixels.isNull()) return nullptr;
  const gdi::HBITMAP bitmap = gdi::CreateBitmapFromImage(std::move(pixels));
  if (bitmap == 0) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, 0, true, bytes));
}

std::shared_ptr<Picture> Picture::FromHandles(gdi::HBITMAP bitmap, gdi::HPALETTE palette, bool own) {
  if (!gdi::IsBitmap(bitmap)) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, palette, own, {}));
}

std::shared_ptr<Picture> Picture::FromImage(const QImage& pixels) {
  const gdi::HBITMAP bitmap = gdi::CreateBitmapFromImage(pixels.copy());
  if (bitmap == 0) return nullptr;
  return std::shared_ptr<Picture>(new Picture(bitmap, 0, true, {}));
}

std::int32_t Picture::Width() const {
  const QImage* pixels = gdi::BitmapPixels(mBitmap);
  return pixels != nullptr ? PixelsToHimetric(pixels->width()) : 0;
}

std::int32_t Picture::Height() const {
  const QImage* pixels = gdi::BitmapPixels(mBitmap);
  return pixels != nullptr ? PixelsToHimetric(pixels->height()) : 0;
}

QImage Picture::Pixels() const {
  const QImage* pixels = gdi::BitmapPixels(mBitmap);
  return pixels != nullptr ? *pixels : QImage();
}

QByteArray Picture::FileBytes() const {
  if (!mFile.isEmpty()) return mFile;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Pixels().save(&buffer, "BMP");
  return bytes;
}

}  // namespace runtime
