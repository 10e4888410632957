#include "themes/mouse_wheel.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/memory_settings_backend.h"

namespace pellandor {
namespace {

TEST(MouseWheel, EachMessageMovesThreeLinesInsideTheBar) {
    struct wheel_case {
        std::int32_t value, min, max, rotation, moved;
    };
    const std::vector<wheel_case> cases = {
        {10, 0, 504, -120, 13}, // toward the user: toward the end
        {10, 0, 504, 120, 7},
        {2, 0, 504, 120, 0},      // held at Min
        {504, 0, 504, -120, 504}, // held at Max
        {502, 0, 504, -120, 504},
        {10, 0, 504, -240, 13}, // any size of rotation moves 3
        {10, 0, 504, 360, 7},
        {10, 0, 504, 0, 7},  // no rotation counts as away from the user
        {0, 0, -8, -120, 0}, // a bar whose Max lies below Min ends at Min
        {INT_MAX, 0, INT_MAX, -120, INT_MAX},
    };
    for (const wheel_case& c : cases) {
        EXPECT_EQ(wheel_value(c.value, c.min, c.max, c.rotation), c.moved)
            << c.value << " " << c.min << ".." << c.max << " " << c.rotation;
    }
}

TEST(MouseWheel, EnabledUnlessTheSettingHoldsZero) {
    testing::memory_settings_backend backend;
    settings_store settings(backend);

    EXPECT_TRUE(wheel_enabled(settings)); // missing: written as 1
    EXPECT_EQ(backend.numbers.at("Mouse Wheel Enabled"), 1);

    backend.numbers["Mouse Wheel Enabled"] = 0;
    EXPECT_FALSE(wheel_enabled(settings));
    backend.numbers["Mouse Wheel Enabled"] = -1;
    EXPECT_TRUE(wheel_enabled(settings));
    EXPECT_EQ(backend.numbers.at("Mouse Wheel Enabled"), -1);
}

} // namespace
} // namespace pellandor
