// clock_test.cpp: the real frame wait: it sleeps on the clock the game's milliseconds are read
// from, so the first read after it shows the deadline, never a millisecond before.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(PlatformClock, TheWaitEndsOnItsDeadlineNeverBeforeAndAPassedOneReturnsAtOnce) {
    for (std::uint32_t ahead : {1u, 3u, 7u, 30u}) {
        const std::uint32_t deadline = platformTicks() + ahead;
        platformSleepUntil(deadline);
        const std::uint32_t now = platformTicks();
        EXPECT_LE(static_cast<std::int32_t>(deadline - now), 0) << ahead << " ms: woke " << deadline - now << " ms early";
        EXPECT_LT(now - deadline, 1000u) << ahead << " ms: overslept";
    }
    const std::uint32_t before = platformTicks();
    platformSleepUntil(before - 5);  // passed: a deadline is never 49 days ahead
    EXPECT_LT(platformTicks() - before, 1000u);
}

}  // namespace
