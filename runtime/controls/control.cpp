// SPDX-License-Identifier: MIT
#include "runtime/controls/control.h"

#include <cmath>

#include "runtime/design/design_reader.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/child_window.h"
#include "runtime/values/units.h"

namespace runtime {
namespace {

// Positions and sizes beyond any screen would only overflow the pixel
// arithmetic; they are refused like any other invalid property value.
constexpr double kTwipsLimit = 1e6;

float CheckedTwips(double twips, bool size) {
  if (!std::isfinite(twips) || twips > kTwipsLimit || twips < (size ? 0 : -kTwipsLimit)) {
    Raise(kInvalidPropertyValue);
  }
  return static_cast<float>(twips);
}

}  // namespace

Control::~Control() = default;

void Control::ReadExtender(DesignReader& design) {
  mName = design.Node().name;
  mIndex = design.Integer16("Index", -1);
  const double left = design.Number("Left", 0);
  const double top = design.Number("Top", 0);
  const double width = design.Number("Width", 0);
  const double height = design.Number("Height", 0);
  try {
    mLeft = CheckedTwips(left, false);
    mTop = CheckedTwips(top, false);
    mWidth = CheckedTwips(width, true);
    mHeight = CheckedTwips(height, true);
  } catch (const RuntimeError&) {
    Raise(kLoadError, "'" + mName + "' lies outside any form");
  }
  mTabIndex = design.Integer16("TabIndex", 0);
  mTabStop = design.Flag("TabStop", true);
  mAccessibleName = design.GbkText("AccessibleName", {});
  SetToolTipText(design.GbkText("ToolTipText", {}));
  mWindow->SetVisible(design.Flag("Visible", true));
}

void Control::ApplyGeometry() {
  mPlace = Rect{TwipsToPixels(mLeft), TwipsToPixels(mTop), TwipsToPixels(mWidth), TwipsToPixels(mHeight)};
  mWindow->SetGeometry(mPlace);
}

void Control::StoreSize(float width, float height) {
  mWidth = width;
  mHeight = height;
}

void Control::SetWidth(float twips) {
  mWidth = CheckedTwips(twips, true);
  ApplyGeometry();
}

void Control::SetHeight(float twips) {
  mHeight = CheckedTwips(twips, true);
  ApplyGeometry();
}

void Control::SetToolTipText(const std::u16string& text) {
  mToolTip = text;
  // Assistive technology knows a control by the design's AccessibleName, or
  // else by its tooltip.
  mWindow->SetToolTip(text, mAccessibleName.empty() ? text : mAccessibleName);
}

void Control::SetVisible(bool visible) { mWindow->SetVisible(visible); }

}  // namespace runtime
