// SPDX-License-Identifier: MIT
#include "runtime/controls/control.h"

#include <cmath>

#include "runtime/design/design_reader.h"
#include "runtime/runtime_error.h"
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

Control::Control(QWidget* widget) : mWidget(widget) {}

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
  const bool visible = design.Flag("Visible", true);
  if (mWidget) mWidget->setVisible(visible);
}

Control::~Control() { delete mWidget.data(); }

void Control::ApplyGeometry() {
  if (!mWidget) return;
  mWidget->setGeometry(TwipsToPixels(mLeft), TwipsToPixels(mTop), TwipsToPixels(mWidth),
                       TwipsToPixels(mHeight));
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

void Control::SetToolTipText(const QString& text) {
  mToolTip = text;
  if (!mWidget) return;
  mWidget->setToolTip(text);
  // Assistive technology knows a control by the design's AccessibleName, or
  // else by its tooltip.
  mWidget->setAccessibleName(mAccessibleName.isEmpty() ? text : mAccessibleName);
}

void Control::SetVisible(bool visible) {
  if (mWidget) mWidget->setVisible(visible);
}

}  // namespace runtime
