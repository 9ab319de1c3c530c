// SPDX-License-Identifier: MIT
#pragma once

#include <QTest>
#include <functional>

namespace test_support {

// True once `condition` holds, false if it still does not after two
// seconds; Qt's events, timers among them, run meanwhile. Generous, so a
// loaded machine does not fail a test that waits for something that comes.
inline bool Eventually(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 2000); }

}  // namespace test_support
