// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>

namespace runtime {

class Form;

// The start of a run, before any event loop: `startup` creates (or finds)
// the start-up form, whose window becomes the program's own (closing it ends
// the program), and shows it. Nothing when it shows and the front-end's
// event loop should run; otherwise the exit status: 0 when the program ended
// while starting, 1 when the form could not be made, the reason shown first.
std::optional<int> ShowStartUpForm(const std::function<Form&()>& startup);

}  // namespace runtime
