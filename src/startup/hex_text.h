// Hexadecimal text of fixed width, as the grids, the progress texts, the
// device list and Intel HEX files write and read it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellandor {

// Exactly 2, 4 or 6 upper-case digits: the low 8, 16 or 24 bits of the value.
std::string hex2(std::int32_t value);
std::string hex4(std::int32_t value);
std::string hex6(std::int32_t value);
// The same followed by a lower-case "h".
std::string hex2h(std::int32_t value);
std::string hex4h(std::int32_t value);
std::string hex6h(std::int32_t value);

// Exactly two (four) upper-case hexadecimal digits to 0..255 (0..65535);
// -1 for any other text, lower-case digits included.
std::int32_t hex2_value(std::string_view text);
std::int32_t hex4_value(std::string_view text);

// One upper-case hexadecimal digit to 0..15, -1 otherwise.
inline int upper_hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace pellandor
