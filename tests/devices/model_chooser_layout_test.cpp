#include "devices/model_chooser_layout.h"

#include "devices/device_list.h"

#include <gtest/gtest.h>

namespace pellandor {
namespace {

TEST(ModelChooserLayout, EntriesStandInTwoColumnsTwoHundredFortyApart) {
    EXPECT_EQ(model_entry_rect(1), (twips_rect{120, 120, 2115, 255}));
    EXPECT_EQ(model_entry_rect(2), (twips_rect{2340, 120, 2115, 255}));
    EXPECT_EQ(model_entry_rect(3), (twips_rect{120, 360, 2115, 255}));
    EXPECT_EQ(model_entry_rect(70), (twips_rect{2340, 8280, 2115, 255}));
    EXPECT_EQ(model_entry_rect(71), (twips_rect{120, 8520, 2115, 255}));
    EXPECT_EQ(model_entry_rect(100), (twips_rect{2340, 11880, 2115, 255}));
}

TEST(ModelChooserLayout, ButtonsAndFormFollowTheLastUsedRow) {
    struct sizes {
        int device_count;
        int entries;
        int button_top;
        int height;
    };
    for (const sizes& expected : {
             sizes{0, 70, 480, 915},
             sizes{1, 70, 480, 915},
             sizes{2, 70, 480, 915},
             sizes{3, 70, 720, 9075 - 7920},
             sizes{69, 70, 8640, 9075},
             sizes{70, 70, 8640, 9075},
             sizes{71, 71, 8880, 9315},
             sizes{72, 72, 8880, 9315},
             sizes{101, 101, 12480, 12915},
         }) {
        SCOPED_TRACE(expected.device_count);
        EXPECT_EQ(model_entry_count(expected.device_count), expected.entries);
        EXPECT_EQ(model_button_top(expected.device_count), expected.button_top);
        EXPECT_EQ(model_chooser_height(expected.device_count), expected.height);
    }
}

TEST(ModelChooserLayout, ToolTipShowsTheSizesAsWritten) {
    device_record record;
    record.device_flash = "8192";
    record.device_eeprom = " 0x200 ";
    EXPECT_EQ(model_tool_tip(record), "FLASH: 8192, EEPROM:  0x200 ");
    EXPECT_EQ(model_tool_tip(device_record{}), "FLASH: , EEPROM: ");
}

} // namespace
} // namespace pellandor
