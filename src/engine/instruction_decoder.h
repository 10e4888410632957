// Instructions of an algorithm recognised once, when an operation takes its
// list, so that each step only dispatches on a code instead of comparing its
// text with every word of the language.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "devices/selected_model.h"
#include "engine/config_bytes.h"

namespace pellandor {

enum class opcode : std::uint8_t {
    unrecognised,
    begin,
    end,
    calcflash,
    calceeprom,
    data_byte, // operand: the byte, or -1 when its two characters are not hexadecimal
    wprog,
    wait, // operand: milliseconds, possibly below 0
    config_get,
    flashl_get,
    flashh_get,
    eeprom_get,
    temp_get,
    setflashloop,
    seteepromloop,
    loop,
    ifpage,
    endifpage,
    s_low,
    s_high,
    s_lowpage,
    s_highpage,
    s_flashl,
    s_flashh,
    s_eeprom,
    s_config,
    checkblankflashl,
    checkblankflashh,
    checkblankeeprom,
    checkblank_config,
    checkflashl,
    checkflashh,
    checkeeprom,
    check_config,
};

struct decoded_instruction {
    opcode op = opcode::unrecognised;
    // data_byte and wait as noted above; the config_byte of the config_get,
    // s_config, checkblank_config and check_config kinds.
    std::int32_t operand = 0;
    // Loop heads and ifpage: the instruction after the first loop (endifpage)
    // that follows; 0 when none follows.
    std::int32_t skip_target = 0;
};

decoded_instruction decode_instruction(std::string_view text);

// One entry per instruction of the list, numbered like it (entry 0 unused).
std::vector<decoded_instruction> decode_instructions(const instruction_list& list);

} // namespace pellandor
