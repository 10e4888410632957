// The current model: numbers worked out from its device record, its default
// configuration bytes and its five algorithms cut into instruction lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pellandor {

struct device_tables;

// Sizes beyond this are held at it, so that no buffer grows without bound
// (more than any AVR has; also the reach of six hexadecimal address digits).
inline constexpr std::int32_t max_memory_size = 16 * 1024 * 1024;

struct config_defaults {
    // Each 0..255, or -1 where the configdefault field is not two hex digits.
    std::int32_t default_lock = -1;
    std::array<std::int32_t, 3> default_signature{-1, -1, -1};
    std::array<std::int32_t, 3> default_fuses{-1, -1, -1}; // low, high, extended
};

// An algorithm cut at its commas. items[0] is an unused empty entry, so
// instruction n is items[n] for n from 1 to count().
struct instruction_list {
    std::vector<std::string> items{std::string()};
    std::int32_t count() const { return static_cast<std::int32_t>(items.size()) - 1; }
};

// Lower-cases the text, appends a comma when it does not end in one, and cuts
// it at every comma; an empty text gives one empty instruction.
instruction_list make_instruction_list(const std::string& algorithm_text);

struct selected_model {
    std::int32_t model_index = 1; // 1..device_count
    std::string model_name;
    std::int32_t flash_size = 0;  // bytes
    std::int32_t eeprom_size = 0; // bytes
    config_defaults defaults;
    std::int32_t programming_time = 0; // milliseconds
    std::int32_t page_size = 0;        // FLASH words
    instruction_list erase_instr;
    instruction_list program_instr;
    instruction_list read_instr;
    instruction_list blank_instr;
    instruction_list verify_instr;
};

// Replaces every field but model_index from device record model_index, which
// must lie from 1 to device_count; any other index reads as a record whose
// fields are all empty.
void select_model(const device_tables& tables, selected_model& model);

} // namespace pellandor
