// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/controls/timer.h"
#include "runtime/controls/user_control.h"
#include "runtime/event.h"
#include "runtime/values/boolean.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"
#include "runtime/values/picture.h"
#include "runtime/win32/gdi.h"

namespace test_support {
class IButtonPeer;
}

namespace runtime {
class FormWindow;
}

namespace image_button {

// The system's image button. It cuts its strip picture (BackPicture) into
// one picture per visual state once, shows the picture of the state it is
// in with a centred caption, tracks hover, press and focus, and raises its
// events to the container. Drawing always goes through cMouseAction, which
// draws nothing when the requested state is already on screen.
//
// A container sees the properties and the one method below, the events, and
// what every control has (place, size, tab order, tooltip); the surface the
// button draws on is its own, so a container cannot draw on it or set its
// font or colours past the properties that redraw.
//
// A push button's strip (Style 0) holds five frames, one per State and one
// unused; a toggle button's (Style 1) ten, the second four for Value True.
class iButton : public runtime::UserControl {
 public:
  // The visual states, by the numbers cMouseAction takes.
  enum State : std::int32_t { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };
  // The values of Style.
  static constexpr std::int32_t PushButton = 0;
  static constexpr std::int32_t ToggleButton = 1;

  explicit iButton(runtime::FormWindow& form);
  ~iButton() override;

  // Public properties, in interface order. Object properties are Set, the
  // others Let.
  [[nodiscard]] std::int32_t Hwnd() const;
  [[nodiscard]] std::int16_t cDrawMode() const;
  void LetcDrawMode(std::int16_t mode);
  [[nodiscard]] runtime::FontRef cFont() const;
  void SetcFont(runtime::FontRef font);
  [[nodiscard]] runtime::Colour cForeColor() const;
  void LetcForeColor(runtime::Colour colour);
  [[nodiscard]] runtime::Boolean AutoSize() const { return mAutoSize; }
  void LetAutoSize(runtime::Boolean autoSize);
  [[nodiscard]] runtime::Boolean Value() const { return mValue; }
  void LetValue(runtime::Boolean value);
  [[nodiscard]] std::int32_t Style() const { return mStyle; }
  void LetStyle(std::int32_t style);
  void SetBackPicture(runtime::PictureRef picture);
  [[nodiscard]] runtime::PictureRef BackPicture() const { return mBackPicture; }
  void LetEnabled(runtime::Boolean enabled);
  [[nodiscard]] runtime::Boolean Enabled() const { return UserControl::Enabled(); }
  void LetcBackStyle(std::int32_t style);
  [[nodiscard]] std::int32_t cBackStyle() const { return BackStyle(); }
  [[nodiscard]] std::u16string Caption() const { return mCaption; }
  void LetCaption(const std::u16string& caption);
  [[nodiscard]] std::int32_t hdc() const { return hDC(); }
  using UserControl::Image;

  // Draws state `cAction` unless it is already on screen; always when
  // `vComplePaint` is True.
  void cMouseAction(std::int32_t cAction, runtime::Boolean vComplePaint);

  // The events, in the order they are declared.
  runtime::Event<> Click;
  runtime::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;  // Button, Shift, X, Y
  runtime::Event<std::int16_t&, std::int16_t&> KeyDown;                    // KeyCode, Shift
  runtime::Event<std::int16_t&, std::int16_t&> KeyUP;                      // KeyCode, Shift
  runtime::Event<std::int16_t&> KeyPress;                                  // KeyAscii
  runtime::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;
  runtime::Event<std::int16_t&, std::int16_t&, float&, float&> MouseMove;
  runtime::Event<> MouseOut;
  runtime::Event<> MouseOver;
  runtime::Event<> DBClick;

 private:
  // Tests read the button's state and what it has done through a peer of
  // their own.
  friend class ::test_support::IButtonPeer;

  void UserControl_Initialize() override;
  void UserControl_ReadProperties(runtime::PropertyBag& PropBag) override;
  void UserControl_WriteProperties(runtime::PropertyBag& PropBag) override;
  void UserControl_Terminate() override;
  void UserControl_Resize() override;
  void UserControl_Show() override;
  void UserControl_MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override;
  void UserControl_MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override;
  void UserControl_MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override;
  void UserControl_Click() override;
  void UserControl_DblClick() override;
  void UserControl_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
  void UserControl_KeyPress(std::int16_t& KeyAscii) override;
  void UserControl_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
  void UserControl_EnterFocus() override;
  void UserControl_ExitFocus() override;

  // Enter's key-down and Space's key-up: toggle, redraw with the focus frame
  // unless the pointer is over the button, and raise Click.
  void ClickFromKeyboard();

  // State queries.
  [[nodiscard]] runtime::Boolean IsMouseOver() const;
  [[nodiscard]] std::int32_t CurrentState() const;
  // The two ways a property change redraws.
  void Redraw();
  void Refresh();

  // Drawing.
  void DrawButton(std::int32_t state);
  void DrawStateImage();
  [[nodiscard]] runtime::PictureRef StateImage(std::int32_t state) const;
  [[nodiscard]] std::int32_t FrameWidth() const;
  [[nodiscard]] std::int32_t FrameHeight() const;
  void LoadStateImages();
  void DrawFocusFrame();

  // Area capture: a rectangle of a device context copied into a new picture
  // in the source's colour format, keeping a copy of the system palette on a
  // 256-colour palette display. Null when no picture could be made.
  static runtime::PictureRef CaptureArea(runtime::gdi::HDC source, std::int32_t x, std::int32_t y,
                                         std::int32_t width, std::int32_t height);
  // Wraps the bitmap and palette (0 for none) in a picture that owns them.
  // When no picture can be made they are deleted, not left behind.
  static runtime::PictureRef BitmapToPicture(runtime::gdi::HBITMAP bitmap, runtime::gdi::HPALETTE palette);

  void Timer1_Timer();

  std::vector<runtime::PictureRef> mStateImages;
  runtime::PictureRef mBackPicture;
  runtime::Boolean mMouseInside = runtime::kFalse;
  runtime::Boolean mLeftDown = runtime::kFalse;
  std::int16_t mLastButton = 0;
  runtime::Boolean mValue = runtime::kFalse;
  std::int32_t mStyle = PushButton;
  std::u16string mCaption;
  std::int32_t mDrawnState = Normal;
  runtime::Boolean mAutoSize = runtime::kFalse;
  runtime::Boolean mImagesReady = runtime::kFalse;
  runtime::Timer Timer1{"Timer1", 50, true};

  // What the control has done, for tests of its costs.
  int mCuts = 0;
  int mDraws = 0;
};

}  // namespace image_button
