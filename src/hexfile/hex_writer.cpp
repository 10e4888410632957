#include "hexfile/hex_writer.h"

#include <algorithm>

#include "hexfile/hex_checksum.h"
#include "startup/hex_text.h"

namespace pellandor {

namespace {

constexpr std::int64_t record_bytes = 16;
constexpr std::int64_t linear_block = 65536;

void append_record(std::string& text, const std::string& digits) {
    text += ':';
    text += digits;
    text += hex_checksum(digits);
    text += "\r\n";
}

} // namespace

std::string hex_file_text(const std::vector<std::uint8_t>& flash_buffer, std::int32_t flash_size) {
    const std::int64_t limit = std::max<std::int64_t>(
        0, std::min<std::int64_t>(flash_size, static_cast<std::int64_t>(flash_buffer.size())));
    std::int64_t end = limit - 1;
    while (end >= 0 && flash_buffer[static_cast<std::size_t>(end)] == 255) {
        --end;
    }
    std::string text;
    if (end >= 0) {
        // A program word is written whole: its erased high byte completes it.
        if (end % 2 == 0 && end + 1 < limit) {
            ++end;
        }
        const std::int64_t records = end / record_bytes + 1;
        text.reserve(static_cast<std::size_t>(records * 45 + records / 4096 * 17 + 32));
        std::string digits;
        for (std::int64_t address = 0; address <= end; address += record_bytes) {
            if (address % linear_block == 0) {
                append_record(text,
                              "02000004" + hex4(static_cast<std::int32_t>(address / linear_block)));
            }
            const std::int64_t count = std::min(record_bytes, end + 1 - address);
            digits = hex2(static_cast<std::int32_t>(count));
            digits += hex4(static_cast<std::int32_t>(address % linear_block));
            digits += "00";
            for (std::int64_t at = address; at < address + count; ++at) {
                digits += hex2(flash_buffer[static_cast<std::size_t>(at)]);
            }
            append_record(text, digits);
        }
    }
    text += ":00000001FF\r\n";
    return text;
}

} // namespace pellandor
