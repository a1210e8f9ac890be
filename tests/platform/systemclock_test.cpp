#include "platform/systemclock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Compared with the C library's own local time, read around the clock call.
TEST(SystemClock, GivesSecondsSinceLocalMidnight)
{
    const auto secondsNow = [] {
        const std::time_t t = std::time(nullptr);
        std::tm local {};
        localtime_r(&t, &local);
        return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    };
    vb::SystemClock clock;
    const int before = secondsNow();
    const float t = clock.Timer();
    const int after = secondsNow();
    EXPECT_GE(t, 0.0f);
    EXPECT_LT(t, 86400.0f);
    if (after >= before) { // not across midnight
        EXPECT_GE(t, before - 0.01f);
        EXPECT_LT(t, after + 1.01f);
    }
}

} // namespace
