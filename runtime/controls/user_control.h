// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/controls/control.h"
#include "runtime/seam/surface_window.h"
#include "runtime/values/boolean.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"
#include "runtime/values/picture.h"
#include "runtime/win32/gdi.h"

namespace test_support {
class UserControlPeer;
}

namespace runtime {

class DesignReader;
class FormWindow;
class PropertyBag;

// A control the system writes itself. The runtime gives it a drawing
// surface: a window with a persistent image that shows whatever was drawn
// into it (Cls, PaintPicture, Print, or GDI calls on hDC), a font and
// colours, a back style and mask. The surface is the control's own: only its
// code draws and sets it, and decides which of it to offer its container as
// properties. The control's code receives the surface's events through the
// UserControl_ handlers below, made from the window system's input by the
// runtime's rules: a click is a release over the control of a button that
// went down on it; a double click comes as down, double-click, up, click; a
// held key repeats its key-down and comes up once.
//
// Lifecycle, driven by the form through ControlSite: Initialize,
// ReadProperties from the saved settings, the place and size the form gives
// it (Resize), Show at the form's first show, and Terminate when the form
// unloads (never after the program has ended). Keyboard focus comes from
// Tab, not from a click, so clicking a control leaves the keyboard where the
// user was typing.
class UserControl : public Control, private SurfaceEvents {
 public:
  ~UserControl() override;

  // Changing the size raises Resize; setting the size it has raises nothing.
  void SetWidth(float twips) override;
  void SetHeight(float twips) override;

 protected:
  explicit UserControl(FormWindow& form);

  // --- the surface, for the control's own code ---
  [[nodiscard]] std::int32_t hWnd() const;
  [[nodiscard]] gdi::HDC hDC() const { return mDc; }
  [[nodiscard]] Boolean Enabled() const { return mEnabled; }
  void SetEnabled(Boolean enabled);
  // Transparent: the mask picture decides what shows, and takes the mouse.
  static constexpr std::int16_t kTransparent = 0;
  static constexpr std::int16_t kOpaque = 1;
  [[nodiscard]] std::int16_t BackStyle() const { return mBackStyle; }
  void SetBackStyle(std::int16_t style);
  [[nodiscard]] Colour BackColor() const { return mBackColor; }
  [[nodiscard]] Colour ForeColor() const { return mForeColor; }
  void SetForeColor(Colour colour);
  [[nodiscard]] std::int16_t DrawMode() const { return mDrawMode; }
  void SetDrawMode(std::int16_t mode) { mDrawMode = mode; }
  [[nodiscard]] const FontRef& GetFont() const { return mFont; }
  void SetFont(FontRef font);
  void SetMaskPicture(PictureRef picture);
  [[nodiscard]] const std::u16string& Tag() const { return mTag; }
  void SetTag(const std::u16string& tag) { mTag = tag; }
  void SetCurrentX(float twips) { mCurrentX = twips; }
  void SetCurrentY(float twips) { mCurrentY = twips; }
  // A picture of the persistent image as it is now.
  [[nodiscard]] PictureRef Image() const;

  void Cls();
  // Paints the whole picture into the rectangle (twips), stretched to fit.
  void PaintPicture(const PictureRef& picture, float x, float y, float width, float height);
  [[nodiscard]] float TextWidth(const std::u16string& text) const;
  [[nodiscard]] float TextHeight(const std::u16string& text) const;
  // Prints the text with its top-left corner at (CurrentX, CurrentY).
  void Print(const std::u16string& text);

  // The notice to the container that a saved property changed.
  void PropertyChanged(std::string_view name);

  // --- the control's handlers, which the runtime raises ---
  virtual void UserControl_Initialize() {}
  virtual void UserControl_ReadProperties(PropertyBag& /*PropBag*/) {}
  virtual void UserControl_WriteProperties(PropertyBag& /*PropBag*/) {}
  virtual void UserControl_Terminate() {}
  virtual void UserControl_Resize() {}
  virtual void UserControl_Show() {}
  virtual void UserControl_MouseDown(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void UserControl_MouseMove(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void UserControl_MouseUp(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void UserControl_Click() {}
  virtual void UserControl_DblClick() {}
  virtual void UserControl_KeyDown(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
  virtual void UserControl_KeyPress(std::int16_t& /*KeyAscii*/) {}
  virtual void UserControl_KeyUp(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
  virtual void UserControl_EnterFocus() {}
  virtual void UserControl_ExitFocus() {}

 private:
  // The container drives the lifecycle and tests read what was drawn
  // through a peer of their own.
  friend class ControlSite;
  friend class ::test_support::UserControlPeer;

  // --- what the window tells ---
  void Pressed(const MouseInput& press, bool second) override;
  void Released(const MouseInput& release) override;
  void Moved(const MouseInput& move) override;
  void KeyDown(std::int16_t keyCode, std::int16_t shift, bool repeat) override;
  void KeyUp(std::int16_t keyCode, std::int16_t shift, bool repeat) override;
  void Typed(char16_t character) override;
  void FocusIn() override;
  void FocusOut(bool moved) override;
  gdi::HDC PrepareToShow() override;

  // --- the lifecycle, driven by the container through ControlSite ---
  void Site(DesignReader& design, const PropertyBag& settings);
  void ShowOnForm();
  void Unload();
  [[nodiscard]] PropertyBag SaveSettings();
  [[nodiscard]] const PictureRef& MaskPicture() const { return mMaskPicture; }

  // Runs a handler the runtime raises from inside system code.
  static void RaiseNested(const std::function<void()>& handler);
  void Resized();
  void FitImage();
  // Does the drawing recorded since the pixels were last needed.
  void Materialize() const;
  void ApplyMask();
  void Drawn();
  [[nodiscard]] Font FontToUse() const;

  std::unique_ptr<SurfaceWindow> mSurface;
  gdi::HDC mDc = 0;
  gdi::HBITMAP mImage = 0;
  Boolean mEnabled = kTrue;
  std::int16_t mBackStyle = kOpaque;
  Colour mBackColor = kSystemButtonFace;
  Colour mForeColor = kSystemButtonText;
  std::int16_t mDrawMode = 13;
  FontRef mFont;
  PictureRef mMaskPicture;
  std::u16string mTag;
  float mCurrentX = 0;
  float mCurrentY = 0;
  int mPictureCount = 0;  // pictures painted, for tests of the cost of a redraw
  std::function<void(std::string_view)> mPropertyListener;

  // The buttons that went down on the control and are not yet up, as the
  // handlers' codes added together.
  std::int16_t mPressed = 0;
  // The control has heard EnterFocus and not yet ExitFocus.
  bool mHoldsFocus = false;

  // Drawing is recorded and done when its pixels are first needed (a paint,
  // a GDI call on hDC, Image): a control redrawn before it is ever shown, or
  // several times before the next frame, draws only what is seen.
  struct PendingPicture {
    PictureRef picture;
    Rect target;
  };
  struct PendingText {
    std::u16string text;
    Point topLeft;
    Font font;
    Colour colour;
  };
  mutable std::optional<Rgb> mPendingClear;
  mutable std::vector<std::variant<PendingPicture, PendingText>> mPending;
};

}  // namespace runtime
