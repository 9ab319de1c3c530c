// SPDX-License-Identifier: MIT
#include "runtime/controls/user_control.h"

#include <QApplication>
#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "runtime/controls/surface_widget.h"
#include "runtime/design/design_reader.h"
#include "runtime/design/property_bag.h"
#include "runtime/dispatch.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"
#include "runtime/values/units.h"
#include "runtime/win32/window_handles.h"

namespace runtime {
namespace {

// The see-through colour of a mask picture.
constexpr Colour kMaskColor = 0x00FF00FF;

QFont FontOf(const FontRef& font) { return font ? font->ToQFont() : QApplication::font(); }

int Pixels(float twips) { return TwipsToPixels(twips); }

}  // namespace

UserControl::UserControl(QWidget* form) : Control(new SurfaceWidget(form, *this)) {
  mSurface = static_cast<SurfaceWidget*>(Widget());
  // A surface always has a font, the application's until told otherwise.
  mFont = std::make_shared<Font>();
  mFont->name = QApplication::font().family();
  mFont->size = QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 9;
  mDc = gdi::CreateSurfaceDC([this] { Drawn(); }, [this] { Materialize(); });
  FitImage();
}

UserControl::~UserControl() {
  mSurface->Detach();
  gdi::DeleteSurfaceDC(mDc);
  gdi::DeleteObject(mImage);
}

void UserControl::RaiseNested(const std::function<void()>& handler) {
  Boundary(handler);
  ThrowIfEnded();
}

void UserControl::Site(DesignReader& design, const PropertyBag& settings) {
  ReadExtender(design);
  const float width = Width();
  const float height = Height();
  // The control starts with no size, so the one the form gives it is a
  // change it hears of, after it has read its settings.
  StoreSize(0, 0);
  RaiseNested([this] { UserControl_Initialize(); });
  PropertyBag bag = settings;
  RaiseNested([&] { UserControl_ReadProperties(bag); });
  StoreSize(width, height);
  ApplyGeometry();
  if (width != 0 || height != 0) Resized();
}

void UserControl::ShowOnForm() { RaiseNested([this] { UserControl_Show(); }); }

void UserControl::Unload() {
  if (HasEnded()) return;
  Boundary([this] { UserControl_Terminate(); });
}

PropertyBag UserControl::SaveSettings() {
  PropertyBag bag;
  bag.WriteProperty("_extentx", Variant::FromLong(TwipsToHimetric(Width())));
  bag.WriteProperty("_extenty", Variant::FromLong(TwipsToHimetric(Height())));
  UserControl_WriteProperties(bag);
  return bag;
}

void UserControl::SetWidth(float twips) {
  if (twips == Width()) return;
  Control::SetWidth(twips);
  Resized();
}

void UserControl::SetHeight(float twips) {
  if (twips == Height()) return;
  Control::SetHeight(twips);
  Resized();
}

void UserControl::Resized() {
  FitImage();
  RaiseNested([this] { UserControl_Resize(); });
}

void UserControl::FitImage() {
  // The persistent image follows the control's size, up to a size no real
  // control reaches; what was drawn stays where it was.
  constexpr int kLargestSide = 4096;
  const QSize size(std::clamp(Pixels(Width()), 1, kLargestSide), std::clamp(Pixels(Height()), 1, kLargestSide));
  const QImage* old = gdi::BitmapPixels(mImage);
  if (old != nullptr && old->size() == size) return;
  Materialize();
  QImage pixels(size, QImage::Format_RGB32);
  pixels.fill(ToQColor(mBackColor));
  if (old != nullptr) {
    QPainter painter(&pixels);
    painter.drawImage(0, 0, *old);
  }
  const gdi::HBITMAP image = gdi::CreateBitmapFromImage(std::move(pixels));
  gdi::SelectObject(mDc, image);
  gdi::DeleteObject(mImage);
  mImage = image;
  mSurface->update();
}

void UserControl::Drawn() {
  mSurface->update();
}

std::int32_t UserControl::hWnd() const { return HandleOf(mSurface); }

void UserControl::SetEnabled(Boolean enabled) {
  mEnabled = enabled;
  mSurface->setEnabled(enabled != kFalse);
}

void UserControl::SetBackStyle(std::int16_t style) {
  mBackStyle = style;
  mSurface->setAttribute(Qt::WA_OpaquePaintEvent, style != kTransparent);
  ApplyMask();
}

void UserControl::SetForeColor(Colour colour) { mForeColor = colour; }

void UserControl::SetFont(FontRef font) {
  if (!font) Raise(kObjectNotSet);
  mFont = std::move(font);
}

void UserControl::SetMaskPicture(PictureRef picture) {
  mMaskPicture = std::move(picture);
  ApplyMask();
}

void UserControl::ApplyMask() {
  // With a transparent back style only the mask picture's pixels that are
  // not the mask colour show and take the mouse.
  if (mBackStyle != kTransparent || !mMaskPicture) {
    mSurface->clearMask();
    return;
  }
  const QImage mask = mMaskPicture->Pixels();
  if (mask.isNull()) {
    mSurface->clearMask();
    return;
  }
  const QImage shown = mask.createMaskFromColor(ToQColor(kMaskColor).rgb(), Qt::MaskOutColor);
  mSurface->setMask(QRegion(QBitmap::fromImage(shown)));
}

PictureRef UserControl::Image() const {
  Materialize();
  const QImage* pixels = gdi::BitmapPixels(mImage);
  return pixels != nullptr ? Picture::FromImage(*pixels) : nullptr;
}

void UserControl::Cls() {
  // Whatever was still to be drawn is covered by the clearing anyway.
  mPending.clear();
  mPendingClear = ToQColor(mBackColor);
  mCurrentX = 0;
  mCurrentY = 0;
  Drawn();
}

void UserControl::PaintPicture(const PictureRef& picture, float x, float y, float width, float height) {
  if (!picture) return;
  mPending.emplace_back(PendingPicture{picture, QRect(Pixels(x), Pixels(y), Pixels(width), Pixels(height))});
  ++mPictureCount;
  Drawn();
}

void UserControl::Materialize() const {
  if (!mPendingClear && mPending.empty()) return;
  QImage* pixels = gdi::MutableBitmapPixels(mImage);
  if (pixels != nullptr) {
    if (mPendingClear) pixels->fill(*mPendingClear);
    if (!mPending.empty()) {
      QPainter painter(pixels);
      for (const auto& step : mPending) {
        if (const auto* picture = std::get_if<PendingPicture>(&step)) {
          painter.drawImage(picture->target, picture->picture->Pixels());
        } else {
          const auto& text = std::get<PendingText>(step);
          painter.setFont(text.font);
          painter.setPen(text.colour);
          painter.drawText(text.baseline, text.text);
        }
      }
    }
  }
  mPendingClear.reset();
  mPending.clear();
}

float UserControl::TextWidth(const QString& text) const {
  return static_cast<float>(PixelsToTwips(QFontMetrics(FontOf(mFont)).horizontalAdvance(text)));
}

float UserControl::TextHeight(const QString& /*text*/) const {
  return static_cast<float>(PixelsToTwips(QFontMetrics(FontOf(mFont)).height()));
}

void UserControl::Print(const QString& text) {
  const QFont font = FontOf(mFont);
  mPending.emplace_back(PendingText{text, QPoint(Pixels(mCurrentX), Pixels(mCurrentY) + QFontMetrics(font).ascent()),
                                    font, ToQColor(mForeColor)});
  // Printing leaves the position at the start of the next line.
  mCurrentX = 0;
  mCurrentY += TextHeight(text);
  Drawn();
}

void UserControl::PropertyChanged(std::string_view name) {
  if (mPropertyListener) mPropertyListener(name);
}

}  // namespace runtime
