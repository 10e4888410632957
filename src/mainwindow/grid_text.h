// What the main window shows of the memory image: the lines of the FLASH and
// EEPROM grids, the sizes line, the configuration fields, and how far each
// grid scrolls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellandor {

// Each grid shows this many lines of this many words (FLASH) or bytes (EEPROM).
inline constexpr int grid_lines = 8;
inline constexpr int grid_values_per_line = 8;

// Line r: the word address 8r in six digits, ":", then eight words, each a
// blank and four digits with the odd byte first.
std::string flash_line(const std::vector<std::uint8_t>& flash, std::int32_t line);
// Line r: the byte address 8r in four digits, ":", then eight bytes, each a
// blank and two digits.
std::string eeprom_line(const std::vector<std::uint8_t>& eeprom, std::int32_t line);

// The grid's eight lines from first_line on, joined by CR LF with none after
// the last. Only what lies inside both the memory and its buffer is shown: a
// memory smaller than one screen, or a buffer not yet made anew for a smaller
// model, shows the lines (and the values of a last line) that exist.
std::string flash_grid_text(const std::vector<std::uint8_t>& flash, std::int32_t flash_size,
                            std::int32_t first_line);
std::string eeprom_grid_text(const std::vector<std::uint8_t>& eeprom, std::int32_t eeprom_size,
                             std::int32_t first_line);

// "FLASH: 8192,  EEPROM: 512".
std::string sizes_line(std::int32_t flash_size, std::int32_t eeprom_size);

// A configuration byte in two digits; -1 (a default that was not hexadecimal)
// shows as FF.
std::string config_field_text(std::int32_t value);

// The last first line of each grid, so that the memory's last line can be
// shown last; never below 0, so a memory smaller than one screen cannot
// scroll at all.
std::int32_t flash_scroll_max(std::int32_t flash_size);
std::int32_t eeprom_scroll_max(std::int32_t eeprom_size);

} // namespace pellandor
