// The 46 named colour themes and the current one. Every window paints itself
// from the current theme's 15 colours whenever it loads or the theme changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "startup/settings_store.h"

namespace pellandor {

// A colour as the windows' colour properties take it: 0x00BBGGRR.
using theme_color = std::int32_t;

inline constexpr int theme_count = 46;
inline constexpr int theme_slot_count = 15;

// The current theme: its name as stored, and its colours; all 0 and an empty
// name before the first loadtheme.
struct theme_colors {
    std::string colortheme;
    theme_color col_form_back = 0;
    theme_color col_hexhead_back = 0;
    theme_color col_hexhead_fore = 0;
    theme_color col_select_back = 0;
    theme_color col_select_fore = 0;
    theme_color col_modelhead_back = 0;
    theme_color col_modelhead_fore = 0;
    theme_color col_field_back = 0;
    theme_color col_field_fore = 0;
    theme_color col_memhead_back = 0;
    theme_color col_memhead_fore = 0;
    theme_color col_name_back = 0;
    theme_color col_name_fore = 0;
    theme_color col_title_back = 0;
    theme_color col_title_fore = 0;
};

// One row of the table: the name and the 15 colours in the slot order above.
struct theme_row {
    const char* name;
    std::array<theme_color, theme_slot_count> colors;
};

// The rows in the order loadtheme compares them.
const std::array<theme_row, theme_count>& theme_table();

// Takes the name from the stored "Color Theme" (written as "Original Lite"
// when missing) and the colours from the first row of exactly that name; an
// empty name keeps the colours as they are, any other unknown name gets the
// "Original Lite" colours and keeps its own text as the name.
void loadtheme(settings_store& settings, theme_colors& theme);

} // namespace pellandor
