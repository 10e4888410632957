// The mouse wheel over the main window: how far one wheel message moves a
// grid's scroll bar, and whether the wheel is wanted at all.
#pragma once

#include <cstdint>

#include "startup/settings_store.h"

namespace pellandor {

// The bar's new value after one wheel message: 3 lines toward the end when
// the wheel turned toward the user (rotation below 0), else 3 back, whatever
// the size of the rotation; held inside min..max.
std::int32_t wheel_value(std::int32_t value, std::int32_t min, std::int32_t max,
                         std::int32_t rotation);

// Whether the wheel scrolls the grids: "Mouse Wheel Enabled" is not 0. A
// missing value is written as 1 and so turns the wheel on.
bool wheel_enabled(settings_store& settings);

} // namespace pellandor
