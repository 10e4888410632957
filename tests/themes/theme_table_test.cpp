#include "themes/theme_table.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/memory_settings_backend.h"

namespace pellandor {
namespace {

using slot_values = std::array<theme_color, theme_slot_count>;

slot_values slots_of(const theme_colors& theme) {
    return {theme.col_form_back,      theme.col_hexhead_back, theme.col_hexhead_fore,
            theme.col_select_back,    theme.col_select_fore,  theme.col_modelhead_back,
            theme.col_modelhead_fore, theme.col_field_back,   theme.col_field_fore,
            theme.col_memhead_back,   theme.col_memhead_fore, theme.col_name_back,
            theme.col_name_fore,      theme.col_title_back,   theme.col_title_fore};
}

const theme_row& row_named(const std::string& name) {
    for (const theme_row& row : theme_table()) {
        if (name == row.name) {
            return row;
        }
    }
    throw std::invalid_argument(name);
}

// Colours written as 0xBBGGRR: blue in the high byte, red in the low one.
const slot_values amethyst{0x70275E, 0xB746B4, 0x86205A, 0xB746B4, 0x86205A,
                           0xFFFFFF, 0x000000, 0x561F4E, 0xFF6FC8, 0x822E86,
                           0xFFFFFF, 0xF4F1F1, 0x510040, 0x370937, 0xF2EFF2};
const slot_values original_lite{0xCAE6D7, 0xDAE9E9, 0x000000, 0xC0FFC0, 0x000000,
                                0xE0E0E0, 0x000000, 0xFFFFFF, 0x000000, 0xC0E0FF,
                                0x000000, 0xC0C0FF, 0x000000, 0xC0FFFF, 0x000000};

class LoadTheme : public ::testing::Test {
protected:
    testing::memory_settings_backend backend;
    settings_store settings{backend};
    theme_colors theme;

    void load(const std::string& stored) {
        backend.texts[setting::color_theme] = stored;
        loadtheme(settings, theme);
    }
};

TEST(ThemeTable, HoldsTheFortySixNamesOnceInComparisonOrder) {
    const std::vector<std::string> expected{
        "Amethyst",       "Arctica",      "Baby Jeans",   "Bitter Lemon",
        "Bloods",         "Blue Martini", "Blueberry",    "Blueberry And Cream",
        "Blues",          "Bricks Set",   "Bubble Gum",   "Bullfrog",
        "Citrus",         "City Night",   "Clover",       "Coagulated",
        "Copper",         "Donatello",    "Dymunds",      "Emerald City",
        "Fort Knox",      "Gold Rush",    "Grapefruit",   "Grapes",
        "Halloween",      "HaXb0x",       "Jeans",        "Love Machine",
        "Mono Dark",      "Mono Lite",    "Night Vision", "Peachy",
        "Popcorn",        "Powerpuff!",   "Owayke",       "Rain Forest",
        "Raspberry Club", "Rosemary",     "Sunflower",    "Toxic",
        "Uranium",        "Varsity",      "Winamp New",   "Winamp Old",
        "Original Dark",  "Original Lite"};
    std::vector<std::string> names;
    for (const theme_row& row : theme_table()) {
        names.emplace_back(row.name);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST(ThemeTable, SharedSlotsAgreeInEveryRow) {
    for (const theme_row& row : theme_table()) {
        SCOPED_TRACE(row.name);
        const auto& c = row.colors;
        EXPECT_EQ(c[4], c[2]) << "selection text is the HEX heading text";
        EXPECT_EQ(c[6], 0) << "model heading text is black";
        const std::string name = row.name;
        if (name != "Original Dark" && name != "Original Lite") {
            EXPECT_EQ(c[3], c[1]) << "selection background is the HEX heading background";
        }
        for (const theme_color color : c) {
            EXPECT_GE(color, 0);
            EXPECT_LE(color, 0xFFFFFF);
        }
    }
}

TEST(ThemeTable, RowsHoldRedInTheLowByte) {
    EXPECT_EQ(row_named("Original Lite").colors[0], 13297367);
    EXPECT_EQ(row_named("Bricks Set").colors[5], 65535); // yellow
    const std::vector<std::pair<std::string, slot_values>> rows{
        {"Amethyst", amethyst},
        {"Original Lite", original_lite},
        {"Blueberry And Cream",
         {0x8BA5A5, 0xC4EAEA, 0x733347, 0xC4EAEA, 0x733347, 0xFFFFBD, 0x000000, 0x6E2238, 0xFFEA00,
          0x725E02, 0xFFFFD4, 0xE378C2, 0x1F272E, 0xA06D4E, 0xFEFAC2}},
        {"HaXb0x",
         {0x3B3B3B, 0x252525, 0x58FFFF, 0x252525, 0x58FFFF, 0x67FFFB, 0x000000, 0x20B974, 0x00FFFF,
          0x000000, 0xFFFFFF, 0x5A5A5A, 0x00FCCE, 0x017438, 0x3CF2EC}},
        {"Winamp Old",
         {0x654949, 0x402E2E, 0xD8D8D3, 0x402E2E, 0xD8D8D3, 0xE8E8E0, 0x000000, 0x000000, 0x00FF00,
          0xC30000, 0xFFFFFF, 0x6A4949, 0xC2C2C2, 0x281C1C, 0x02EF01}},
        {"Original Dark",
         {0x808080, 0x808080, 0x000000, 0xC0FFC0, 0x000000, 0xC0C0C0, 0x000000, 0xFFFFFF, 0x000000,
          0xC0C0C0, 0x000000, 0x808080, 0x000000, 0xC0FFFF, 0x000000}},
    };
    for (const auto& [name, colors] : rows) {
        EXPECT_EQ(row_named(name).colors, colors) << name;
    }
}

TEST_F(LoadTheme, EveryNameSetsItsOwnRow) {
    for (const theme_row& row : theme_table()) {
        load(row.name);
        EXPECT_EQ(theme.colortheme, row.name);
        EXPECT_EQ(slots_of(theme), row.colors) << row.name;
    }
    load("Amethyst");
    EXPECT_EQ(slots_of(theme), amethyst);
}

TEST_F(LoadTheme, MissingValueIsWrittenAsOriginalLite) {
    loadtheme(settings, theme);
    EXPECT_EQ(backend.texts[setting::color_theme], "Original Lite");
    EXPECT_EQ(theme.colortheme, "Original Lite");
    EXPECT_EQ(slots_of(theme), original_lite);
}

TEST_F(LoadTheme, EmptyNameWritesNoSlot) {
    load("");
    EXPECT_EQ(slots_of(theme), slot_values{});
    load("Amethyst");
    load("");
    EXPECT_EQ(theme.colortheme, "");
    EXPECT_EQ(slots_of(theme), amethyst);
    EXPECT_EQ(backend.write_count, 0);
}

TEST_F(LoadTheme, UnknownNameGetsOriginalLiteColoursAndKeepsItsText) {
    for (const std::string stored :
         {"original lite", "AMETHYST", "Amethyst ", " Amethyst", "Sepia", "Blueberry\t"}) {
        load("Amethyst");
        load(stored);
        EXPECT_EQ(theme.colortheme, stored);
        EXPECT_EQ(slots_of(theme), original_lite) << stored;
        EXPECT_EQ(backend.texts[setting::color_theme], stored);
    }
    EXPECT_EQ(backend.write_count, 0);
}

TEST_F(LoadTheme, BlueberryAndCreamDiffersFromBlueberryInTheFirstSixSlotsOnly) {
    load("Blueberry");
    const slot_values blueberry = slots_of(theme);
    load("Blueberry And Cream");
    const slot_values cream = slots_of(theme);
    for (int slot = 0; slot < theme_slot_count; ++slot) {
        EXPECT_EQ(cream[slot] != blueberry[slot], slot < 6) << "slot " << slot;
    }
}

} // namespace
} // namespace pellandor
