#include "startup/hex_text.h"

namespace pellandor {

namespace {

std::string hex_digits(std::int32_t value, int width) {
    static constexpr char digits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = digits[bits & 0xF];
        bits >>= 4;
    }
    return text;
}

} // namespace

std::string hex2(std::int32_t value) {
    return hex_digits(value, 2);
}
std::string hex4(std::int32_t value) {
    return hex_digits(value, 4);
}
std::string hex6(std::int32_t value) {
    return hex_digits(value, 6);
}
std::string hex2h(std::int32_t value) {
    return hex_digits(value, 2) + 'h';
}
std::string hex4h(std::int32_t value) {
    return hex_digits(value, 4) + 'h';
}
std::string hex6h(std::int32_t value) {
    return hex_digits(value, 6) + 'h';
}

std::int32_t hex2_value(std::string_view text) {
    if (text.size() != 2) {
        return -1;
    }
    const int high = upper_hex_digit(text[0]);
    const int low = upper_hex_digit(text[1]);
    if (high < 0 || low < 0) {
        return -1;
    }
    return high * 16 + low;
}

std::int32_t hex4_value(std::string_view text) {
    if (text.size() != 4) {
        return -1;
    }
    const std::int32_t high = hex2_value(text.substr(0, 2));
    const std::int32_t low = hex2_value(text.substr(2, 2));
    if (high < 0 || low < 0) {
        return -1;
    }
    return high * 256 + low;
}

} // namespace pellandor
