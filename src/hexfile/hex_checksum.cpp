#include "hexfile/hex_checksum.h"

#include <cstdint>

#include "startup/hex_text.h"

namespace pellandor {

std::string hex_checksum(std::string_view digits) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        sum += hex2_value(digits.substr(i, 2));
    }
    const std::int64_t low_byte = ((-sum) % 256 + 256) % 256;
    return hex2(static_cast<std::int32_t>(low_byte));
}

} // namespace pellandor
