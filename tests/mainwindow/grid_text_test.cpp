#include "mainwindow/grid_text.h"

#include <gtest/gtest.h>

namespace pellandor {
namespace {

std::vector<std::uint8_t> erased(std::size_t size) {
    return std::vector<std::uint8_t>(size, 0xFF);
}

TEST(GridText, LinesShowAddressesAndValuesWithTheOddByteFirst) {
    auto flash = erased(8192);
    flash[0] = 0x12;
    flash[1] = 0x34;
    EXPECT_EQ(flash_line(flash, 0), "000000: 3412 FFFF FFFF FFFF FFFF FFFF FFFF FFFF");
    EXPECT_EQ(flash_line(flash, 511), "000FF8: FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF");
    EXPECT_EQ(flash_line(flash, 0).size(), 47U);

    auto eeprom = erased(512);
    eeprom[9] = 0x07;
    EXPECT_EQ(eeprom_line(eeprom, 1), "0008: FF 07 FF FF FF FF FF FF");
    EXPECT_EQ(eeprom_line(eeprom, 0).size(), 29U);
}

TEST(GridText, EightLinesJoinedWithoutABreakAfterTheLast) {
    const auto flash = erased(8192);
    const std::string text = flash_grid_text(flash, 8192, 504);
    EXPECT_EQ(text.substr(0, 7), "000FC0:");
    EXPECT_EQ(text.substr(text.size() - 47, 7), "000FF8:");
    EXPECT_EQ(text.size(), 8 * 47 + 7 * 2U);
    EXPECT_NE(text.back(), '\n');
}

struct small_memory_case {
    std::int32_t size;
    std::size_t buffer;
    std::int32_t first_line;
    std::string expected;
};

class SmallMemories : public ::testing::TestWithParam<small_memory_case> {};

TEST_P(SmallMemories, ShowOnlyWhatLiesInsideTheMemoryAndTheBuffer) {
    const small_memory_case& c = GetParam();
    EXPECT_EQ(eeprom_grid_text(erased(c.buffer), c.size, c.first_line), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Eeprom, SmallMemories,
    ::testing::Values(
        small_memory_case{0, 1, 0, ""}, small_memory_case{3, 3, 0, "0000: FF FF FF"},
        small_memory_case{10, 10, 0, "0000: FF FF FF FF FF FF FF FF\r\n0008: FF FF"},
        // A buffer still of the smaller model's size while the sizes are the new one's.
        small_memory_case{512, 4, 0, "0000: FF FF FF FF"},
        // Scrolled beyond a memory that shrank: nothing to show.
        small_memory_case{64, 64, 56, ""}),
    [](const auto& param) { return "case" + std::to_string(param.index); });

TEST(GridText, FlashOfTwoHundredBytesShowsItsLastHalfLine) {
    const std::string text = flash_grid_text(erased(200), 200, 5);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "000060: FFFF FFFF FFFF FFFF");
}

TEST(GridText, SizesLineAndConfigurationFields) {
    EXPECT_EQ(sizes_line(8192, 512), "FLASH: 8192,  EEPROM: 512");
    EXPECT_EQ(sizes_line(2048, 0), "FLASH: 2048,  EEPROM: 0");
    EXPECT_EQ(config_field_text(0x07), "07");
    EXPECT_EQ(config_field_text(-1), "FF");
}

TEST(GridText, ScrollMaximaRoundHalvesToEvenAndNeverGoBelowZero) {
    const std::pair<std::int32_t, std::int32_t> flash[] = {
        {8192, 504}, {200, 4}, {131072, 8184}, {128, 0}, {64, 0}, {0, 0}, {-5, 0}};
    for (const auto& [size, max] : flash) {
        EXPECT_EQ(flash_scroll_max(size), max) << size;
    }
    const std::pair<std::int32_t, std::int32_t> eeprom[] = {{512, 56}, {0, 0},   {40, 0},
                                                            {68, 0},   {100, 4}, {4096, 504}};
    for (const auto& [size, max] : eeprom) {
        EXPECT_EQ(eeprom_scroll_max(size), max) << size;
    }
}

} // namespace
} // namespace pellandor
