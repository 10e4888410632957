#include "engine/instruction_decoder.h"

#include <array>
#include <cstddef>

#include "startup/hex_text.h"
#include "startup/letter_case.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

constexpr std::int32_t of(config_byte which) {
    return static_cast<std::int32_t>(which);
}

struct word_entry {
    std::string_view word;
    opcode op;
    std::int32_t operand;
};

// The whole words of the language; no two are equal, so their order does not
// matter.
constexpr std::array<word_entry, 52> named_words{{
    {"begin", opcode::begin, 0},
    {"end", opcode::end, 0},
    {"calcflash", opcode::calcflash, 0},
    {"calceeprom", opcode::calceeprom, 0},
    {"wprog", opcode::wprog, 0},
    {"lock=get", opcode::config_get, of(config_byte::lock)},
    {"sign0=get", opcode::config_get, of(config_byte::sign0)},
    {"sign1=get", opcode::config_get, of(config_byte::sign1)},
    {"sign2=get", opcode::config_get, of(config_byte::sign2)},
    {"fuse0=get", opcode::config_get, of(config_byte::fuse0)},
    {"fuse1=get", opcode::config_get, of(config_byte::fuse1)},
    {"fuse2=get", opcode::config_get, of(config_byte::fuse2)},
    {"flashl=get", opcode::flashl_get, 0},
    {"flashh=get", opcode::flashh_get, 0},
    {"eeprom=get", opcode::eeprom_get, 0},
    {"setflashloop", opcode::setflashloop, 0},
    {"seteepromloop", opcode::seteepromloop, 0},
    {"loop", opcode::loop, 0},
    {"ifpage", opcode::ifpage, 0},
    {"endifpage", opcode::endifpage, 0},
    {"s-low", opcode::s_low, 0},
    {"s-high", opcode::s_high, 0},
    {"s-lowpage", opcode::s_lowpage, 0},
    {"s-highpage", opcode::s_highpage, 0},
    {"s-eeprom", opcode::s_eeprom, 0},
    {"s-flashl", opcode::s_flashl, 0},
    {"s-flashh", opcode::s_flashh, 0},
    {"s-lock", opcode::s_config, of(config_byte::lock)},
    {"s-fuse0", opcode::s_config, of(config_byte::fuse0)},
    {"s-fuse1", opcode::s_config, of(config_byte::fuse1)},
    {"s-fuse2", opcode::s_config, of(config_byte::fuse2)},
    {"temp=get", opcode::temp_get, 0},
    {"checkblankflashl", opcode::checkblankflashl, 0},
    {"checkblankflashh", opcode::checkblankflashh, 0},
    {"checkblankeeprom", opcode::checkblankeeprom, 0},
    {"checkblanklock", opcode::checkblank_config, of(config_byte::lock)},
    {"checkblanksign0", opcode::checkblank_config, of(config_byte::sign0)},
    {"checkblanksign1", opcode::checkblank_config, of(config_byte::sign1)},
    {"checkblanksign2", opcode::checkblank_config, of(config_byte::sign2)},
    {"checkblankfuse0", opcode::checkblank_config, of(config_byte::fuse0)},
    {"checkblankfuse1", opcode::checkblank_config, of(config_byte::fuse1)},
    {"checkblankfuse2", opcode::checkblank_config, of(config_byte::fuse2)},
    {"checkflashl", opcode::checkflashl, 0},
    {"checkflashh", opcode::checkflashh, 0},
    {"checkeeprom", opcode::checkeeprom, 0},
    {"checklock", opcode::check_config, of(config_byte::lock)},
    {"checksign0", opcode::check_config, of(config_byte::sign0)},
    {"checksign1", opcode::check_config, of(config_byte::sign1)},
    {"checksign2", opcode::check_config, of(config_byte::sign2)},
    {"checkfuse0", opcode::check_config, of(config_byte::fuse0)},
    {"checkfuse1", opcode::check_config, of(config_byte::fuse1)},
    {"checkfuse2", opcode::check_config, of(config_byte::fuse2)},
}};

} // namespace

decoded_instruction decode_instruction(std::string_view text) {
    // No named word has three characters and begins with "s", and wprog is
    // the only one beginning with "w", so the prefix forms may be tried first.
    if (text.size() == 3 && text[0] == 's') {
        return {opcode::data_byte, hex2_value(upper_case(text.substr(1))), 0};
    }
    if (text.size() > 0 && text[0] == 'w' && text != "wprog") {
        return {opcode::wait, round_half_even(text_value(text.substr(1))), 0};
    }
    for (const word_entry& entry : named_words) {
        if (entry.word == text) {
            return {entry.op, entry.operand, 0};
        }
    }
    return {};
}

std::vector<decoded_instruction> decode_instructions(const instruction_list& list) {
    std::vector<decoded_instruction> decoded(list.items.size());
    std::int32_t next_loop = 0;
    std::int32_t next_endifpage = 0;
    for (std::int32_t i = list.count(); i >= 1; --i) {
        decoded_instruction& ins = decoded[static_cast<std::size_t>(i)];
        ins = decode_instruction(list.items[static_cast<std::size_t>(i)]);
        switch (ins.op) {
        case opcode::setflashloop:
        case opcode::seteepromloop:
            ins.skip_target = next_loop == 0 ? 0 : next_loop + 1;
            break;
        case opcode::ifpage:
            ins.skip_target = next_endifpage == 0 ? 0 : next_endifpage + 1;
            break;
        case opcode::loop:
            next_loop = i;
            break;
        case opcode::endifpage:
            next_endifpage = i;
            break;
        default:
            break;
        }
    }
    return decoded;
}

} // namespace pellandor
