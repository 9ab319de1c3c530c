#pragma once

#include <QImage>

// The skin pictures, drawn in code so they can be made again at any time.
namespace skin {

// A strip of five frames of one button: 0 normal, 1 hover (lighter),
// 2 pressed (darker), 3 and 4 as 0.
QImage KeyStrip();         // 175 x 35, a square blue key with a light rim
QImage WideKeyStrip();     // 350 x 35, the same key 70 wide
QImage MinimiseStrip();    // 140 x 28, a short white bar on blue
QImage CloseStrip();       // 140 x 28, a cream cross on blue, red when hovered or pressed

}  // namespace skin
