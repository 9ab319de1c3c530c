// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>
#include <string_view>

#include "qt/fonts.h"
#include "qt/window_handles.h"
#include "runtime/seam/geometry.h"

namespace qt_frontend {

// What every control's window does on Qt, whatever widget it is: the
// runtime's ChildWindow (or an interface derived from it, `Window`) over a
// Qt widget (`Widget`). `tabFocus` is the focus policy the widget has while
// Tab stops at it.
template <class Widget, class Window>
class ChildWidget : public Widget, public Window {
 public:
  ChildWidget(QWidget* parent, Qt::FocusPolicy tabFocus) : Widget(parent), mTabFocus(tabFocus) {
    this->setFocusPolicy(tabFocus);
  }

  [[nodiscard]] runtime::WindowHandle Handle() const override { return HandleOf(const_cast<ChildWidget*>(this)); }
  void SetGeometry(const runtime::Rect& place) override {
    this->setGeometry(place.x, place.y, place.width, place.height);
  }
  void SetVisible(bool visible) override { this->setVisible(visible); }
  [[nodiscard]] bool IsOnScreen() const override { return this->isVisible(); }
  [[nodiscard]] bool IsSetVisible() const override { return this->isVisibleTo(this->window()); }
  void SetEnabled(bool enabled) override { this->setEnabled(enabled); }
  [[nodiscard]] bool IsEnabled() const override { return this->isEnabled(); }
  void SetToolTip(std::u16string_view tip, std::u16string_view accessibleName) override {
    this->setToolTip(ToQString(tip));
    this->setAccessibleName(ToQString(accessibleName));
  }
  void SetTabStop(bool stops) override { this->setFocusPolicy(stops ? mTabFocus : Qt::ClickFocus); }
  void Focus() override { this->setFocus(Qt::TabFocusReason); }

 private:
  Qt::FocusPolicy mTabFocus;
};

}  // namespace qt_frontend
