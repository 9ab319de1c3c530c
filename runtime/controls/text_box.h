// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

#include "runtime/controls/control.h"
#include "runtime/event.h"
#include "runtime/values/colour.h"
#include "runtime/values/font.h"

class QWidget;

namespace runtime {

class DesignReader;
class LineEditBox;

// The runtime's text box on a single-line field. Writing Text or SelText
// raises Change inside the write, and only when the text really changed;
// MaxLength limits the user, never code; every typed character passes
// KeyPress first, where the handler may refuse it by setting it to 0.
class TextBox : public Control {
 public:
  TextBox(QWidget* form, DesignReader& design);
  ~TextBox() override;

  [[nodiscard]] QString Text() const;
  void SetText(const QString& text);
  [[nodiscard]] QString SelText() const;
  void SetSelText(const QString& text);
  [[nodiscard]] std::int32_t SelStart() const;
  void SetSelStart(std::int32_t start);
  [[nodiscard]] std::int32_t SelLength() const;
  void SetSelLength(std::int32_t length);

  [[nodiscard]] std::int32_t MaxLength() const { return mMaxLength; }
  void SetMaxLength(std::int32_t length);
  [[nodiscard]] bool Locked() const;
  void SetLocked(bool locked);

  [[nodiscard]] Colour ForeColor() const { return mForeColor; }
  void SetForeColor(Colour colour);
  [[nodiscard]] const FontRef& GetFont() const { return mFont; }
  void SetFont(FontRef font);

  // The pixels of text the box shows at once.
  [[nodiscard]] int TextRoom() const;

  [[nodiscard]] LineEditBox& Field() const { return *mField; }

  Event<std::int16_t&> KeyPress;  // KeyAscii
  Event<> Change;

 private:
  void ApplyColours();
  void PutCaretAtStart();

  LineEditBox* mField;
  std::int32_t mMaxLength = 0;
  Colour mForeColor = kSystemWindowText;
  Colour mBackColor = kSystemWindowBackground;
  FontRef mFont;
  QString mKnownText;  // the text the last Change was raised for
  bool mCaretToStartPending = false;  // a write of Text is under way
};

}  // namespace runtime
