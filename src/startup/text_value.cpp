#include "startup/text_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace pellandor {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int digit_value(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

double whole_number_in_base(std::string_view digits, int base) {
    double value = 0;
    for (char c : digits) {
        const int d = digit_value(c, base);
        if (d < 0) {
            break;
        }
        value = value * base + d;
    }
    return value;
}

// For a number beyond what a double holds: whether it lies above the largest
// (rather than below the smallest). The place of its first significant digit
// and its exponent decide that, not the exponent's sign alone.
bool beyond_largest(std::string_view number) {
    const std::size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return false;
    }
    std::int64_t magnitude = first < point ? static_cast<std::int64_t>(point - first) - 1
                                           : -static_cast<std::int64_t>(first - point);
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
            digits.remove_prefix(1);
        }
        std::int64_t exponent = 0;
        for (char c : digits) {
            exponent = std::min<std::int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

} // namespace

double text_value(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s.push_back(c);
        }
    }

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return whole_number_in_base(std::string_view(s).substr(2), 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return whole_number_in_base(std::string_view(s).substr(2), 8);
        }
        return 0;
    }

    // The longest prefix of the form [sign] digits [. digits] [E|D [sign] digits].
    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        number.push_back(s[i++]);
    }
    bool any_digit = false;
    while (i < s.size() && is_digit(s[i])) {
        number.push_back(s[i++]);
        any_digit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back(s[i++]);
        while (i < s.size() && is_digit(s[i])) {
            number.push_back(s[i++]);
            any_digit = true;
        }
    }
    if (!any_digit) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponent.push_back(s[j++]);
        }
        if (j < s.size() && is_digit(s[j])) {
            while (j < s.size() && is_digit(s[j])) {
                exponent.push_back(s[j++]);
            }
            number += exponent;
        }
    }

    const char* first = number.data();
    if (*first == '+') {
        ++first; // from_chars takes no plus sign
    }
    double value = 0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = number[0] == '-';
        value = beyond_largest(number) ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative) {
            value = -value;
        }
    }
    return value == 0 ? 0.0 : value;
}

std::int32_t round_half_even(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double r = std::nearbyint(value);
    if (r >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (r <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(r);
}

double whole_part(double value) {
    return std::floor(value);
}

std::string decimal_text(std::int64_t value) {
    return std::to_string(value);
}

std::string decimal_text(double value) {
    if (value == 0) {
        return "0";
    }
    // to_chars, not printf: the text must not follow the locale's decimal comma.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

} // namespace pellandor
