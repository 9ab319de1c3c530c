// SPDX-License-Identifier: MIT
#pragma once

namespace qt_frontend {

// A key held down repeats its key-down and comes up once, when it is let go:
// that is what every control's key handlers count on (Space clicks on its
// release). An X server by default sends each repeat as a release and a press
// with the same time, and Qt can tell such a release from a real one only
// when the press has already arrived, which under load it often has not. So
// the runtime asks the server not to send those releases at all (the X
// keyboard extension's detectable auto-repeat). Other platforms report
// repeats as such. Should the X server refuse (held keys then may act on
// each repeat), a warning says so once its answer has come.
void UseDetectableKeyRepeat();

}  // namespace qt_frontend
