#include "platform/event_yield.h"

#include <gtest/gtest.h>

namespace pellandor {
namespace {

using namespace std::chrono_literals;

TEST(EventYield, RunsTheLoopAtMostOnceAnInterval) {
    event_yield::clock::time_point now{};
    int passes = 0;
    event_yield yield(
        1ms, [&] { return now; }, [&] { ++passes; });

    yield(); // the first yield always runs
    EXPECT_EQ(passes, 1);
    now += 999us;
    yield();
    EXPECT_EQ(passes, 1);
    now += 1us;
    yield();
    EXPECT_EQ(passes, 2);
    // The interval counts from the last pass that ran, not from the last call.
    now += 600us;
    yield();
    now += 600us;
    yield();
    EXPECT_EQ(passes, 3);
}

TEST(EventYield, AZeroIntervalRunsTheLoopEveryTime) {
    int passes = 0;
    event_yield yield(0ms, event_yield::clock::now, [&] { ++passes; });
    for (int i = 0; i < 5; ++i) {
        yield();
    }
    EXPECT_EQ(passes, 5);
}

} // namespace
} // namespace pellandor
