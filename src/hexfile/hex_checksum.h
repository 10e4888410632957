// The checksum that closes every Intel HEX record; the reader tests each
// record with it and the writer completes each record with it.
#pragma once

#include <string>
#include <string_view>

namespace pellandor {

// The digits of a record between its ":" and its checksum field (count,
// address, type and data) give two upper-case digits: the two's complement of
// the low byte of the sum of the digit pairs. A pair that is not two upper-case
// hexadecimal digits counts as -1, and a single last digit is not counted, so
// a damaged record never matches by accident of lenient parsing.
std::string hex_checksum(std::string_view digits);

} // namespace pellandor
