// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls/control.h"
#include "runtime/controls/control_array.h"
#include "runtime/design/design_reader.h"
#include "runtime/event.h"
#include "runtime/runtime_error.h"
#include "runtime/seam/form_window.h"

namespace runtime {

class ControlClasses;
class Menu;
class Timer;
class UserControl;
struct DesignNode;

// A form built from its design: the window and every control, timer and
// menu the design lists, created in the design's order. The form owns them
// all for its whole life. Code finds them by name, as the design names them.
class Form : private FormWindowEvents {
 public:
  Form(const DesignNode& design, const ControlClasses& classes, const DesignFiles& files = {});
  // Starts decoding the picture and the icon `design` names, and the
  // pictures in its controls' saved settings, on another thread (see
  // DecodeAhead), so that they are ready when the form is built from it. A
  // file that is missing or cannot be read is left for building the form to
  // report.
  static void DecodePicturesAhead(const DesignNode& design, const DesignFiles& files);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  [[nodiscard]] const std::string& Name() const { return mName; }
  [[nodiscard]] std::u16string Caption() const;
  void SetCaption(const std::u16string& caption);

  // The values of WindowState.
  static constexpr std::int16_t kNormal = 0;
  static constexpr std::int16_t kMinimized = 1;
  static constexpr std::int16_t kMaximized = 2;
  [[nodiscard]] std::int16_t WindowState() const;
  void SetWindowState(std::int16_t state);
  [[nodiscard]] std::int32_t hWnd() const;

  // The first Show places the window as its design asks (centred on the
  // screen for StartUpPosition 1 and 2) and gives the focus to the first
  // control in tab order.
  void Show();

  // Shows `menu`'s items as a popup with its top-left corner at (x, y) twips
  // in the form's client area, or at the pointer when no place is given.
  // Returns when the menu closes; a chosen item's Click runs before that.
  void PopupMenu(Menu& menu, std::optional<float> x = {}, std::optional<float> y = {});

  // The form's own window is the start-up form's: closing it from outside
  // the system ends the program.
  void SetEndsProgramWhenClosed(bool ends) { mEndsProgramWhenClosed = ends; }

  template <class T>
  T& ControlNamed(std::string_view name) const {
    for (const auto& control : mControls) {
      if (control->Name() == name && control->Index() < 0) {
        if (auto* typed = dynamic_cast<T*>(control.get())) return *typed;
      }
    }
    Missing(name);
  }

  template <class T>
  ControlArray<T> ArrayNamed(std::string_view name) const {
    std::vector<T*> elements;
    for (const auto& control : mControls) {
      if (control->Name() == name && control->Index() >= 0) {
        if (auto* typed = dynamic_cast<T*>(control.get())) elements.push_back(typed);
      }
    }
    if (elements.empty()) Missing(name);
    return ControlArray<T>(std::move(elements));
  }

  [[nodiscard]] Timer& TimerNamed(std::string_view name) const;
  [[nodiscard]] Menu& MenuNamed(std::string_view name) const;

  [[nodiscard]] FormWindow& Window() const { return *mWindow; }

  // Button (1 left, 2 right, 4 middle), Shift (1 Shift, 2 Ctrl, 4 Alt),
  // X and Y in twips, for a press on the form's background.
  Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;

 private:
  // What the window tells.
  void BackgroundPressed(const MouseInput& press) override;
  void CloseRequested() override;
  void SightChanged() override;

  [[noreturn]] void Missing(std::string_view name) const;
  void AddChild(const DesignNode& child, const ControlClasses& classes, const DesignFiles& files);
  Menu& AddMenu(const DesignNode& design);
  void ApplyTabOrder();

  std::unique_ptr<FormWindow> mWindow;  // first in, last out: controls live on it
  std::string mName;
  std::int16_t mStartUpPosition = 3;
  bool mShown = false;
  bool mEndsProgramWhenClosed = false;
  bool mHasIcon = false;
  std::vector<std::unique_ptr<Control>> mControls;
  std::vector<UserControl*> mUserControls;
  std::vector<std::unique_ptr<Timer>> mTimers;
  std::vector<std::unique_ptr<Menu>> mMenus;
};

}  // namespace runtime
