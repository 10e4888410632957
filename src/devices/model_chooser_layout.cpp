#include "devices/model_chooser_layout.h"

#include <algorithm>

#include "devices/device_list.h"

namespace pellandor {

namespace {

constexpr int model_row_pitch = 240;
constexpr int button_below_row = 360;
constexpr int bottom_margin = model_chooser_design_height - model_chooser_design_button_top;

} // namespace

twips_rect chooser_entry_rect(int position, int row_pitch) {
    return {position % 2 == 0 ? 120 : 2340, 120 + row_pitch * (position / 2), 2115, 255};
}

int model_entry_count(int device_count) {
    return std::max(model_chooser_capacity, device_count);
}

twips_rect model_entry_rect(int index) {
    return chooser_entry_rect(index - 1, model_row_pitch);
}

int model_button_top(int device_count) {
    // The program never starts without a model; an empty list keeps one row.
    return model_entry_rect(std::max(device_count, 1)).top + button_below_row;
}

int model_chooser_height(int device_count) {
    return model_button_top(device_count) + bottom_margin;
}

std::string model_tool_tip(const device_record& record) {
    return "FLASH: " + record.device_flash + ", EEPROM: " + record.device_eeprom;
}

} // namespace pellandor
