#include "devices/selected_model.h"

#include "devices/device_list.h"
#include "startup/hex_text.h"
#include "startup/letter_case.h"
#include "startup/text_value.h"

#include <algorithm>

namespace pellandor {

namespace {

std::int32_t whole_number(const std::string& text) {
    return round_half_even(text_value(text));
}

// A size of many megabytes is a typing error in the device list, not a chip;
// holding it here keeps every buffer made from it small.
std::int32_t memory_size(const std::string& text) {
    return std::min(whole_number(text), max_memory_size);
}

// The two characters at a 1-based position, fewer when the text ends sooner.
std::int32_t config_field(std::string_view upper_text, std::size_t position) {
    const std::size_t start = position - 1;
    if (start > upper_text.size()) {
        return hex2_value({});
    }
    return hex2_value(upper_text.substr(start, 2));
}

config_defaults decode_config_defaults(const std::string& text) {
    const std::string upper = upper_case(text);
    config_defaults defaults;
    defaults.default_lock = config_field(upper, 1);
    defaults.default_signature = {config_field(upper, 4), config_field(upper, 7),
                                  config_field(upper, 10)};
    defaults.default_fuses = {config_field(upper, 13), config_field(upper, 16),
                              config_field(upper, 19)};
    return defaults;
}

} // namespace

instruction_list make_instruction_list(const std::string& algorithm_text) {
    std::string text = lower_case(algorithm_text);
    if (text.empty() || text.back() != ',') {
        text += ',';
    }
    instruction_list list;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos;
         comma = text.find(',', start)) {
        list.items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return list;
}

void select_model(const device_tables& tables, selected_model& model) {
    // An index outside the tables reads as a record with every field empty.
    static const device_record no_record;
    const bool listed = model.model_index >= 1 && model.model_index <= tables.device_count &&
                        static_cast<std::size_t>(model.model_index) < tables.records.size();
    const device_record& record =
        listed ? tables.records[static_cast<std::size_t>(model.model_index)] : no_record;

    model.model_name = record.device_model;
    model.flash_size = memory_size(record.device_flash);
    model.eeprom_size = memory_size(record.device_eeprom);
    model.defaults = decode_config_defaults(record.device_configdefault);
    model.programming_time = whole_number(record.device_progtime);
    model.page_size = whole_number(record.device_pagesize);
    model.erase_instr = make_instruction_list(record.device_erasealg);
    model.program_instr = make_instruction_list(record.device_programalg);
    model.read_instr = make_instruction_list(record.device_readalg);
    model.blank_instr = make_instruction_list(record.device_blankcheckalg);
    model.verify_instr = make_instruction_list(record.device_verifyalg);
}

} // namespace pellandor
