// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace runtime {

struct Font;

// Which installed family draws a face a design names. The designs name the
// faces of the system they were drawn on; where one is missing, the first
// installed of its stand-ins draws it. Both front-ends turn a font into a
// native one through ResolvedFamily, so both choose alike; whether a family
// is installed is the window system's to say.

// When a design names `face` and the system lacks it, the first of
// `standIns` that is installed stands in.
void SetStandIns(const std::u16string& face, std::vector<std::u16string> standIns);
[[nodiscard]] std::vector<std::u16string> StandIns(const std::u16string& face);

// The installed family that draws `face`: the face itself when installed,
// else the first installed of its stand-ins, else the face (and the window
// system's own fallback). Resolved once per face.
[[nodiscard]] std::u16string ResolvedFamily(const std::u16string& face);

// Of `families`, the first installed one in which each of `texts`, at the
// size of `font`, takes at most `room` pixels; failing that, the installed
// one in which the widest of them is narrowest; empty when none is
// installed. How a stand-in for a missing face is chosen by what it has to
// show.
[[nodiscard]] std::u16string FamilyThatFits(const std::vector<std::u16string>& families, const Font& font,
                                            const std::vector<std::u16string>& texts, int room);

}  // namespace runtime
