#include "mainwindow/grid_text.h"

#include <algorithm>

#include "startup/hex_text.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

// How many bytes of a buffer may be shown: those inside both the memory and
// the buffer.
std::int64_t shown_bytes(const std::vector<std::uint8_t>& buffer, std::int32_t size) {
    return std::min<std::int64_t>(std::max<std::int32_t>(size, 0),
                                  static_cast<std::int64_t>(buffer.size()));
}

// A line of up to eight values from the first value index; a value exists
// when its last byte lies below the limit.
std::string grid_line(const std::vector<std::uint8_t>& buffer, std::int64_t limit,
                      std::int64_t line, int value_bytes) {
    const std::int64_t first = line * grid_values_per_line;
    std::string text = value_bytes == 2 ? hex6(static_cast<std::int32_t>(first))
                                        : hex4(static_cast<std::int32_t>(first));
    text += ':';
    for (std::int64_t i = first; i < first + grid_values_per_line; ++i) {
        const std::int64_t last_byte = i * value_bytes + value_bytes - 1;
        if (last_byte >= limit) {
            break;
        }
        text += ' ';
        if (value_bytes == 2) {
            const auto low = static_cast<std::size_t>(2 * i);
            text += hex4(buffer[low + 1] * 256 + buffer[low]);
        } else {
            text += hex2(buffer[static_cast<std::size_t>(i)]);
        }
    }
    return text;
}

std::string grid_text(const std::vector<std::uint8_t>& buffer, std::int32_t size,
                      std::int32_t first_line, int value_bytes) {
    const std::int64_t limit = shown_bytes(buffer, size);
    const std::int64_t line_bytes = std::int64_t{grid_values_per_line} * value_bytes;
    std::string text;
    const std::int64_t first = std::max<std::int32_t>(first_line, 0);
    for (std::int64_t r = first; r < first + grid_lines; ++r) {
        // The line exists when its first value does.
        if (r * line_bytes + value_bytes > limit) {
            break;
        }
        if (r != first) {
            text += "\r\n";
        }
        text += grid_line(buffer, limit, r, value_bytes);
    }
    return text;
}

std::int32_t scroll_max(double lines) {
    return std::max(round_half_even(lines - grid_lines), 0);
}

} // namespace

std::string flash_line(const std::vector<std::uint8_t>& flash, std::int32_t line) {
    return grid_line(flash, static_cast<std::int64_t>(flash.size()), line, 2);
}

std::string eeprom_line(const std::vector<std::uint8_t>& eeprom, std::int32_t line) {
    return grid_line(eeprom, static_cast<std::int64_t>(eeprom.size()), line, 1);
}

std::string flash_grid_text(const std::vector<std::uint8_t>& flash, std::int32_t flash_size,
                            std::int32_t first_line) {
    return grid_text(flash, flash_size, first_line, 2);
}

std::string eeprom_grid_text(const std::vector<std::uint8_t>& eeprom, std::int32_t eeprom_size,
                             std::int32_t first_line) {
    return grid_text(eeprom, eeprom_size, first_line, 1);
}

std::string sizes_line(std::int32_t flash_size, std::int32_t eeprom_size) {
    return "FLASH: " + decimal_text(std::int64_t{flash_size}) +
           ",  EEPROM: " + decimal_text(std::int64_t{eeprom_size});
}

std::string config_field_text(std::int32_t value) {
    return hex2(value);
}

std::int32_t flash_scroll_max(std::int32_t flash_size) {
    return flash_size > 0 ? scroll_max(flash_size / 2.0 / grid_values_per_line) : 0;
}

std::int32_t eeprom_scroll_max(std::int32_t eeprom_size) {
    return eeprom_size > 0 ? scroll_max(eeprom_size / double{grid_values_per_line}) : 0;
}

} // namespace pellandor
