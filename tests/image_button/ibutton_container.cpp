// SPDX-License-Identifier: MIT
// A container of an iButton, compiled once as it stands and once for each
// call a container must not make. As it stands it uses what the button
// offers and compiles. With REACH set, it reaches past the properties into
// the button's surface or into the lifecycle the runtime drives, and must
// not compile: a font set there would skip the redraw and the notice of the
// change, a Tag set before the first show would stop the strip from ever
// being cut.
#include <string>

#include "image_button/ibutton.h"
#include "runtime/values/font.h"

void UseButton(image_button::iButton& button, const runtime::FontRef& font) {
#if !defined(REACH)
  button.SetcFont(font);
  button.LetEnabled(runtime::kFalse);
  button.LetCaption(std::u16string());
  button.SetToolTipText(std::u16string());
  (void)button.hdc();
  (void)button.Image();
#elif REACH == 1
  button.SetFont(font);
#elif REACH == 2
  button.SetEnabled(runtime::kFalse);
#elif REACH == 3
  (void)button.hDC();
#elif REACH == 4
  button.Cls();
#elif REACH == 5
  button.SetTag(std::u16string());
#elif REACH == 6
  button.Unload();
#endif
}
