#include "mainwindow/hex_editor.h"

#include <cmath>

#include "engine/config_bytes.h"
#include "startup/hex_text.h"
#include "startup/letter_case.h"

namespace pellandor {
namespace {

// The measures of a grid: where its values begin, how far apart they stand,
// and how many characters each has. A character is 120 twips wide, a line 195
// high.
struct grid_measures {
    std::int32_t first_value;
    std::int32_t value_pitch;
    std::int32_t digits;
};

constexpr grid_measures flash_grid{960, 600, 4};
constexpr grid_measures eeprom_grid{720, 360, 2};
constexpr std::int32_t line_height = 195;
constexpr std::int64_t values_per_line = 8;

// `values` is how many values the memory holds: cells at or past it are none.
std::optional<edit_cell> cell_at(const grid_measures& grid, double x, double y, std::int32_t scroll,
                                 std::int64_t values) {
    // Floor, not truncation: a point just left of the first value is column -1.
    const double col = std::floor((x - grid.first_value) / grid.value_pitch);
    const double row = std::floor(y / line_height);
    if (!(col >= 0 && col <= 7 && row >= 0 && row <= 7)) {
        return std::nullopt;
    }
    const auto c = static_cast<std::int32_t>(col);
    const auto r = static_cast<std::int32_t>(row);
    const std::int64_t index = (std::int64_t{scroll} + r) * values_per_line + c;
    if (index < 0 || index >= values) {
        return std::nullopt;
    }
    edit_cell cell;
    cell.index = static_cast<std::int32_t>(index);
    cell.left = grid.first_value + grid.value_pitch * c;
    cell.top = line_height * r;
    cell.width = grid.value_pitch;
    cell.max_length = grid.digits;
    return cell;
}

bool fits(std::int64_t index, std::size_t size) {
    return index >= 0 && static_cast<std::uint64_t>(index) < size;
}

} // namespace

std::optional<edit_cell> flash_cell_at(double x, double y, std::int32_t scroll,
                                       std::int32_t flash_size) {
    // The last word address is flash_size / 2 - 1.
    return cell_at(flash_grid, x, y, scroll, std::int64_t{flash_size} / 2);
}

std::optional<edit_cell> eeprom_cell_at(double x, double y, std::int32_t scroll,
                                        std::int32_t eeprom_size) {
    return cell_at(eeprom_grid, x, y, scroll, eeprom_size);
}

std::int32_t edit_value(std::string_view text) {
    // Leading zeros make up the four digits; a longer text is no value, even
    // though its last four characters might be.
    if (text.empty() || text.size() > 4) {
        return -1;
    }
    const std::string padded = "000" + upper_case(text);
    return hex4_value(std::string_view(padded).substr(padded.size() - 4));
}

bool store_edit(memory_image& image, edit_target_kind target, std::int32_t index,
                std::int32_t value) {
    switch (target) {
    case edit_target_kind::flash_word: {
        const std::int64_t low = std::int64_t{index} * 2;
        if (value < 0 || value > 65535 || !fits(low + 1, image.flash_buffer.size())) {
            return false;
        }
        image.flash_buffer[static_cast<std::size_t>(low)] = static_cast<std::uint8_t>(value % 256);
        image.flash_buffer[static_cast<std::size_t>(low + 1)] =
            static_cast<std::uint8_t>(value / 256);
        return true;
    }
    case edit_target_kind::eeprom_byte:
        if (value < 0 || value > 255 || !fits(index, image.eeprom_buffer.size())) {
            return false;
        }
        image.eeprom_buffer[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
        return true;
    case edit_target_kind::config_byte:
        // Numbers 1 to 7 are the configuration bytes in the instructions' order.
        if (value < 0 || value > 255 || index < 1 || index > 7) {
            return false;
        }
        image_config_byte(image, static_cast<config_byte>(index - 1)) = value;
        return true;
    case edit_target_kind::none:
        break;
    }
    return false;
}

} // namespace pellandor
