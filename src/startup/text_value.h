// Numbers read from and written as text, the same way everywhere: the device
// list, typed entries, waits and status lines all share these rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellandor {

// The number at the start of a text: blanks, tabs and line feeds are skipped
// anywhere; an optional sign, digits with one optional "." and an exponent
// introduced by E or D; "&H" and "&O" for hexadecimal and octal whole numbers.
// Only "." separates a fraction, whatever the locale. No number gives 0.
double text_value(std::string_view text);

// The nearest whole number, halves to the even neighbour; values beyond the
// 32-bit range are held at its ends, and a value that is not a number gives 0.
std::int32_t round_half_even(double value);

// The largest whole number not above the value.
double whole_part(double value);

// Decimal digits with "-" before a negative number and no leading blank.
std::string decimal_text(std::int64_t value);

// The shortest decimal form of a value (up to 15 significant digits): no
// trailing zeros after the ".", no "." for a whole number.
std::string decimal_text(double value);

} // namespace pellandor
