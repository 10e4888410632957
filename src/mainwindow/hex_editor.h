// The in-place editor's rules: which grid cell a right-click names, the value
// typed into the box, and where that value goes in the memory image. The
// window only places the box and forwards the keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "devices/memory_image.h"

namespace pellandor {

// What the box edits (edit_target).
enum class edit_target_kind : int {
    none = 0,
    flash_word = 1,  // edit_index is a FLASH word address
    eeprom_byte = 2, // edit_index is an EEPROM byte address
    config_byte = 3, // edit_index is 1 lock, 2..4 signature 0..2, 5..7 fuse low/high/extended
};

// A value cell of a grid and the box laid over it; offsets in twips from the
// grid's top-left corner.
struct edit_cell {
    std::int32_t index = 0; // edit_index
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t max_length = 0;
};

// The cell under the point (x, y), in twips from the grid's top-left corner,
// with the grid scrolled to line `scroll`; nullopt over the address column,
// the margins, or a cell past the end of the memory.
std::optional<edit_cell> flash_cell_at(double x, double y, std::int32_t scroll,
                                       std::int32_t flash_size);
std::optional<edit_cell> eeprom_cell_at(double x, double y, std::int32_t scroll,
                                        std::int32_t eeprom_size);

// The value of 1 to 4 hexadecimal digits in either case; -1 for any other
// text, the empty one included.
std::int32_t edit_value(std::string_view text);

// Stores the value where the edit points when it fits there (a word 0..65535,
// a byte 0..255) and the place lies inside the buffers, which may be smaller
// than the index after a change of model; whether it stored.
bool store_edit(memory_image& image, edit_target_kind target, std::int32_t index,
                std::int32_t value);

} // namespace pellandor
