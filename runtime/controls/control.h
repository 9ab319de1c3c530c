// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "runtime/seam/geometry.h"

namespace runtime {

class ChildWindow;
class DesignReader;

// What every visible control has, whatever its kind: a name and its index in
// a control array, a position and size in twips within the form, a place in
// the tab order and a tooltip. Its window on the form belongs to the
// control's kind, which makes it and deletes it with the control.
class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  [[nodiscard]] const std::string& Name() const { return mName; }
  // -1 when the control is not part of a control array.
  [[nodiscard]] std::int16_t Index() const { return mIndex; }

  [[nodiscard]] float Left() const { return mLeft; }
  [[nodiscard]] float Top() const { return mTop; }
  [[nodiscard]] float Width() const { return mWidth; }
  [[nodiscard]] float Height() const { return mHeight; }
  virtual void SetWidth(float twips);
  virtual void SetHeight(float twips);

  [[nodiscard]] std::int16_t TabIndex() const { return mTabIndex; }
  [[nodiscard]] bool TabStop() const { return mTabStop; }
  [[nodiscard]] const std::u16string& ToolTipText() const { return mToolTip; }
  void SetToolTipText(const std::u16string& text);
  void SetVisible(bool visible);

  [[nodiscard]] ChildWindow& Window() const { return *mWindow; }
  // Where the window is, in pixels within the form, as last placed.
  [[nodiscard]] const Rect& PixelPlace() const { return mPlace; }

 protected:
  Control() = default;
  // The control's window, made by its kind before anything else is set.
  void SetWindow(ChildWindow& window) { mWindow = &window; }

  // Reads the settings every control has; the window takes its place and
  // size only at ApplyGeometry.
  void ReadExtender(DesignReader& design);
  // Places the window at the control's twips, rounded to whole pixels.
  void ApplyGeometry();
  // Changes the size the control records without telling anyone.
  void StoreSize(float width, float height);

 private:
  ChildWindow* mWindow = nullptr;
  std::string mName;
  std::int16_t mIndex = -1;
  float mLeft = 0;
  float mTop = 0;
  float mWidth = 0;
  float mHeight = 0;
  Rect mPlace;
  std::int16_t mTabIndex = 0;
  bool mTabStop = true;
  std::u16string mToolTip;
  std::u16string mAccessibleName;
};

}  // namespace runtime
