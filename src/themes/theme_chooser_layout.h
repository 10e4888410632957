// The theme chooser's entries: every theme once, two to a row.
#pragma once

#include <array>

#include "devices/model_chooser_layout.h"
#include "themes/theme_table.h"

namespace pellandor {

inline constexpr int theme_chooser_width = 4575;
inline constexpr int theme_chooser_height = 7515;

// The names row by row, left before right.
const std::array<const char*, theme_count>& theme_chooser_names();

// Entry `index`, from 0.
twips_rect theme_entry_rect(int index);

} // namespace pellandor
