// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// The skin pictures and the icon, drawn in code so that they can be made
// again at any time.
namespace skin {

// 320 x 240: the sky, the logo and name, and the three panels with their
// labels and units.
QImage WindowSkin();

// Strips of five frames of one button: 0 normal, 1 hover (lighter),
// 2 pressed (darker), 3 and 4 as 0. Rounded buttons take the skin behind
// their corners from `skin` at their place in the window.
QImage KeyStrip(const QImage& skin);         // 175 x 35, a square blue key with a light rim
QImage WideKeyStrip(const QImage& skin);     // 350 x 35, the same key 70 wide
QImage MinimiseStrip(const QImage& skin);    // 140 x 28, a short white bar on blue
QImage CloseStrip(const QImage& skin);       // 140 x 28, a cream cross on blue, red when hot

// The four-pane window symbol at a size, on a transparent background.
QImage AppSymbol(int size);

// An icon file holding 16 x 16 in 256 colours, then 48 x 48, 32 x 32 and
// 16 x 16 in 32-bit colour.
QByteArray AppIconFile();

}  // namespace skin
