// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace runtime {

// Work the interface's thread will soon need, done meanwhile on one other
// thread, in the order given. Start-up is the time for it: while fontconfig
// reads its configuration on the interface's thread the display is quiet
// and a second core is free, and one worker (not one per job) keeps the
// interface's thread from being crowded off its core. Each job hands its
// results over itself (a future, say) and lets no exception out. Called
// from the interface's thread.
void WorkAhead(std::function<void()> job);

// Waits until every job given has run. The front-end calls it as the
// program goes, before the window system it may use is taken down.
void FinishWorkAhead();

}  // namespace runtime
