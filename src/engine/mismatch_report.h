// The mismatch report of Blank Check and Verify: a heading and one line per
// difference found, in the order found.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellandor {

// The line count at which a failing check gives up and jumps to its end.
inline constexpr std::int32_t mismatch_limit = 25;

struct mismatch_report {
    std::int32_t error_count = 0;
    std::string error_report;

    // Empties the report down to its heading line.
    void start();
    // Appends one line; true when this line is the one that reaches the limit.
    bool add(std::string_view location, std::string_view read_value, std::string_view expected);
};

} // namespace pellandor
