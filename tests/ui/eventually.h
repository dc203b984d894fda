#pragma once
// Waiting for the event loop in a GoogleTest test. QTestLib's QTRY_* checks
// report to QTestLib's own logger, which a GoogleTest run never reads, so a
// wait that ran out would still pass; this one fails the test instead:
//
//     EXPECT_TRUE(eventually([&] { return w.Edit6->hasFocus(); }));

#include <QTest>
#include <gtest/gtest.h>

namespace qz::test {

inline constexpr int kEventuallyMs = 5000;

// Runs the event loop until `condition` holds, at most `timeoutMs`.
template <typename Condition>
::testing::AssertionResult eventually(Condition condition, int timeoutMs = kEventuallyMs)
{
    if (QTest::qWaitFor(condition, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the condition did not hold within " << timeoutMs << " ms";
}

}  // namespace qz::test
