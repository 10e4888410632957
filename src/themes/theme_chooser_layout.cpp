#include "themes/theme_chooser_layout.h"

namespace pellandor {

namespace {

constexpr int theme_row_pitch = 300;

// Alphabetical, except that the two original themes stand together after
// "Powerpuff!".
// clang-format off
constexpr std::array<const char*, theme_count> names{
    "Amethyst", "Arctica",
    "Baby Jeans", "Bitter Lemon",
    "Bloods", "Blue Martini",
    "Blueberry", "Blueberry And Cream",
    "Blues", "Bricks Set",
    "Bubble Gum", "Bullfrog",
    "Citrus", "City Night",
    "Clover", "Coagulated",
    "Copper", "Donatello",
    "Dymunds", "Emerald City",
    "Fort Knox", "Gold Rush",
    "Grapefruit", "Grapes",
    "Halloween", "HaXb0x",
    "Jeans", "Love Machine",
    "Mono Dark", "Mono Lite",
    "Night Vision", "Peachy",
    "Popcorn", "Powerpuff!",
    "Original Dark", "Original Lite",
    "Owayke", "Rain Forest",
    "Raspberry Club", "Rosemary",
    "Sunflower", "Toxic",
    "Uranium", "Varsity",
    "Winamp New", "Winamp Old"};
// clang-format on

} // namespace

const std::array<const char*, theme_count>& theme_chooser_names() {
    return names;
}

twips_rect theme_entry_rect(int index) {
    return chooser_entry_rect(index, theme_row_pitch);
}

} // namespace pellandor
