#include "mainwindow/hex_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace pellandor {
namespace {

TEST(HexEditorCell, FlashCellsFromThePointGiveAddressAndBox) {
    struct point_case {
        double x, y;
        std::int32_t scroll;
        std::int32_t index, left, top;
    };
    const std::vector<point_case> cases = {
        {960, 0, 0, 0, 960, 0},                      // first digit of the first word
        {1559, 194, 0, 0, 960, 0},                   // last twip of that cell
        {1560, 195, 0, 9, 1560, 195},                // next word, next line
        {5759, 1559, 0, 63, 5160, 1365},             // the last twip of the last cell
        {960 + 600 * 3, 195 * 2, 10, 99, 2760, 390}, // scrolled: (10 + 2) * 8 + 3
    };
    for (const point_case& c : cases) {
        const std::optional<edit_cell> cell = flash_cell_at(c.x, c.y, c.scroll, 8192);
        ASSERT_TRUE(cell.has_value()) << c.x << "," << c.y;
        EXPECT_EQ(cell->index, c.index) << c.x << "," << c.y;
        EXPECT_EQ(cell->left, c.left) << c.x << "," << c.y;
        EXPECT_EQ(cell->top, c.top) << c.x << "," << c.y;
        EXPECT_EQ(cell->width, 600);
        EXPECT_EQ(cell->max_length, 4);
    }
}

TEST(HexEditorCell, EepromCellsUseTheirOwnMeasures) {
    const std::optional<edit_cell> cell = eeprom_cell_at(720 + 360 * 7 + 359, 195 * 7, 2, 512);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->index, (2 + 7) * 8 + 7);
    EXPECT_EQ(cell->left, 3240);
    EXPECT_EQ(cell->top, 1365);
    EXPECT_EQ(cell->width, 360);
    EXPECT_EQ(cell->max_length, 2);
}

TEST(HexEditorCell, AddressColumnAndMarginsOpenNothing) {
    // Just left of the first value lies column -1 (floor, not truncation to
    // 0), and so do points left of the grid.
    for (double x : {0.0, 959.9, 400.0, -1.0, -500.0, 5760.0, 9000.0}) {
        EXPECT_FALSE(flash_cell_at(x, 100, 0, 8192)) << x;
    }
    for (double x : {0.0, 719.0, 200.0, -1.0, 3600.0}) {
        EXPECT_FALSE(eeprom_cell_at(x, 100, 0, 512)) << x;
    }
    for (double y : {-1.0, -194.0, 1560.0, 3000.0}) {
        EXPECT_FALSE(flash_cell_at(1000, y, 0, 8192)) << y;
        EXPECT_FALSE(eeprom_cell_at(800, y, 0, 512)) << y;
    }
}

TEST(HexEditorCell, CellsPastTheEndOfTheMemoryOpenNothing) {
    // An 8192-byte FLASH ends at word 4095: line 511, last column.
    EXPECT_EQ(flash_cell_at(960 + 600 * 7, 195 * 7, 504, 8192)->index, 4095);
    EXPECT_FALSE(flash_cell_at(960, 0, 512, 8192));
    // A FLASH of 20 bytes has words 0 to 9 only: the second line ends after column 1.
    EXPECT_TRUE(flash_cell_at(960 + 600 * 1, 195, 0, 20));
    EXPECT_FALSE(flash_cell_at(960 + 600 * 2, 195, 0, 20));
    // EEPROM bytes end at eeprom_size - 1; a model without EEPROM has none.
    EXPECT_TRUE(eeprom_cell_at(720 + 360 * 3, 0, 0, 4));
    EXPECT_FALSE(eeprom_cell_at(720 + 360 * 4, 0, 0, 4));
    EXPECT_FALSE(eeprom_cell_at(720, 0, 0, 0));
}

TEST(HexEditorValue, OneToFourHexDigitsInEitherCase) {
    struct value_case {
        const char* text;
        std::int32_t value;
    };
    const std::vector<value_case> cases = {
        {"abc", 0x0ABC}, {"7", 0x07},   {"62", 0x62}, {"FFFF", 0xFFFF}, {"0", 0},
        {"aB", 0xAB},    {"G7", -1},    {"", -1},     {" 7", -1},       {"7 ", -1},
        {"-1", -1},      {"12345", -1}, {"0x1", -1},
    };
    for (const value_case& c : cases) {
        EXPECT_EQ(edit_value(c.text), c.value) << '"' << c.text << '"';
    }
}

class HexEditorStore : public ::testing::Test {
protected:
    HexEditorStore() {
        image.flash_buffer.assign(16, 0xFF);
        image.eeprom_buffer.assign(8, 0xFF);
        image.lock_byte = 0x3F;
        image.signature_bytes = {0x1E, 0x93, 0x07};
        image.fuse_bytes = {0xE1, 0xD9, 0xFF};
    }
    memory_image image;
};

TEST_F(HexEditorStore, AFlashWordGoesLowByteFirst) {
    EXPECT_TRUE(store_edit(image, edit_target_kind::flash_word, 3, edit_value("abc")));
    EXPECT_EQ(image.flash_buffer[6], 0xBC);
    EXPECT_EQ(image.flash_buffer[7], 0x0A);
    EXPECT_EQ(image.flash_buffer[5], 0xFF);
    EXPECT_EQ(image.flash_buffer[8], 0xFF);
}

TEST_F(HexEditorStore, AnEepromByteAndEachConfigurationByte) {
    EXPECT_TRUE(store_edit(image, edit_target_kind::eeprom_byte, 7, edit_value("7")));
    EXPECT_EQ(image.eeprom_buffer[7], 0x07);

    // label_conf(5) is number 6, the high fuse byte.
    EXPECT_TRUE(store_edit(image, edit_target_kind::config_byte, 6, edit_value("62")));
    EXPECT_EQ(image.fuse_bytes, (std::array<std::int32_t, 3>{0xE1, 0x62, 0xFF}));

    for (std::int32_t number = 1; number <= 7; ++number) {
        ASSERT_TRUE(store_edit(image, edit_target_kind::config_byte, number, number));
    }
    EXPECT_EQ(image.lock_byte, 1);
    EXPECT_EQ(image.signature_bytes, (std::array<std::int32_t, 3>{2, 3, 4}));
    EXPECT_EQ(image.fuse_bytes, (std::array<std::int32_t, 3>{5, 6, 7}));
}

TEST_F(HexEditorStore, StoresNothingThatDoesNotFitOrLiesOutside) {
    const memory_image before = image;
    struct refused_case {
        edit_target_kind target;
        std::int32_t index;
        std::int32_t value;
    };
    const std::vector<refused_case> cases = {
        {edit_target_kind::flash_word, 0, edit_value("G7")},
        {edit_target_kind::flash_word, 0, 65536},
        {edit_target_kind::eeprom_byte, 0, 256}, // a word typed into a byte
        {edit_target_kind::eeprom_byte, 0, -1},
        {edit_target_kind::config_byte, 1, 256},
        // Buffers smaller than the index, as after a change of model.
        {edit_target_kind::flash_word, 8, 0},
        {edit_target_kind::flash_word, -1, 0},
        {edit_target_kind::eeprom_byte, 8, 0},
        {edit_target_kind::eeprom_byte, -1, 0},
        {edit_target_kind::config_byte, 0, 0},
        {edit_target_kind::config_byte, 8, 0},
        {edit_target_kind::none, 0, 0},
    };
    for (const refused_case& c : cases) {
        EXPECT_FALSE(store_edit(image, c.target, c.index, c.value))
            << static_cast<int>(c.target) << " " << c.index << " " << c.value;
    }
    EXPECT_EQ(image.flash_buffer, before.flash_buffer);
    EXPECT_EQ(image.eeprom_buffer, before.eeprom_buffer);
    EXPECT_EQ(image.lock_byte, before.lock_byte);
    EXPECT_EQ(image.signature_bytes, before.signature_bytes);
    EXPECT_EQ(image.fuse_bytes, before.fuse_bytes);
}

} // namespace
} // namespace pellandor
