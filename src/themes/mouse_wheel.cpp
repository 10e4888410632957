#include "themes/mouse_wheel.h"

#include <algorithm>

namespace pellandor {

std::int32_t wheel_value(std::int32_t value, std::int32_t min, std::int32_t max,
                         std::int32_t rotation) {
    constexpr std::int64_t lines_per_message = 3;
    std::int64_t moved = rotation < 0 ? value + lines_per_message : value - lines_per_message;
    // Max first, then Min: a bar whose Max lies below its Min ends at Min.
    moved = std::min<std::int64_t>(moved, max);
    moved = std::max<std::int64_t>(moved, min);
    return static_cast<std::int32_t>(moved);
}

bool wheel_enabled(settings_store& settings) {
    return settings.get_long_setting(setting::mouse_wheel_enabled,
                                     setting_default::mouse_wheel_enabled) != 0;
}

} // namespace pellandor
