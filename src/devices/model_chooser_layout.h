// Where the choosers' entries and buttons stand, in twips. Both choosers set
// their entries in two columns, filled row by row from the top left.
#pragma once

#include <string>

#include "startup/twips.h"

namespace pellandor {

struct device_record;

// The entry at a 0-based position, its row `row_pitch` below the one above.
twips_rect chooser_entry_rect(int position, int row_pitch);

// The model chooser at design size: 70 entries, the buttons under the last row.
inline constexpr int model_chooser_capacity = 70;
inline constexpr int model_chooser_width = 4575;
inline constexpr int model_chooser_design_height = 9075;
inline constexpr int model_chooser_design_button_top = 8640;

// Entries the chooser holds: its design's 70, or one for every model of a
// longer device list.
int model_entry_count(int device_count);

// Entry `index`, from 1.
twips_rect model_entry_rect(int index);

// The buttons stand 360 below the top of the last used row; the form keeps
// its design margin below them.
int model_button_top(int device_count);
int model_chooser_height(int device_count);

// "FLASH: " and ", EEPROM: " before the sizes as the device list writes them.
std::string model_tool_tip(const device_record& record);

} // namespace pellandor
