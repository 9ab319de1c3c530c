// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

namespace runtime {

class DesignReader;

// What every visible control has, whatever its kind: a name and its index in
// a control array, a position and size in twips within the form, a place in
// the tab order and a tooltip. The control's widget is a child of the form's
// widget; the control deletes it when it goes.
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
  [[nodiscard]] const QString& ToolTipText() const { return mToolTip; }
  void SetToolTipText(const QString& text);
  void SetVisible(bool visible);

  [[nodiscard]] QWidget* Widget() const { return mWidget; }

 protected:
  explicit Control(QWidget* widget);

  // Reads the settings every control has; the widget takes its place and size
  // only at ApplyGeometry.
  void ReadExtender(DesignReader& design);
  // Places the widget at the control's twips, rounded to whole pixels.
  void ApplyGeometry();
  // Changes the size the control records without telling anyone.
  void StoreSize(float width, float height);

 private:
  QPointer<QWidget> mWidget;
  std::string mName;
  std::int16_t mIndex = -1;
  float mLeft = 0;
  float mTop = 0;
  float mWidth = 0;
  float mHeight = 0;
  std::int16_t mTabIndex = 0;
  bool mTabStop = true;
  QString mToolTip;
  QString mAccessibleName;
};

}  // namespace runtime
