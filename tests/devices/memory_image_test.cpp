#include "devices/memory_image.h"

#include "devices/selected_model.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pellandor {
namespace {

selected_model model_with(std::int32_t flash_size, std::int32_t eeprom_size) {
    selected_model model;
    model.flash_size = flash_size;
    model.eeprom_size = eeprom_size;
    model.defaults.default_lock = 0x3F;
    model.defaults.default_signature = {0x1E, 0x93, -1};
    model.defaults.default_fuses = {0xE1, -1, 0xFD};
    return model;
}

bool all_erased(const std::vector<std::uint8_t>& buffer) {
    return std::all_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b == 255; });
}

TEST(MemoryImage, ResetMakesAnErasedChipWithTheModelDefaults) {
    memory_image image;
    reset_memory_image(image, model_with(8192, 512));
    EXPECT_EQ(image.flash_buffer.size(), 8192u);
    EXPECT_EQ(image.eeprom_buffer.size(), 512u);
    EXPECT_TRUE(all_erased(image.flash_buffer));
    EXPECT_TRUE(all_erased(image.eeprom_buffer));
    EXPECT_EQ(image.lock_byte, 0x3F);
    EXPECT_EQ(image.signature_bytes, (std::array<std::int32_t, 3>{0x1E, 0x93, -1}));
    EXPECT_EQ(image.fuse_bytes, (std::array<std::int32_t, 3>{0xE1, -1, 0xFD}));
}

TEST(MemoryImage, ResetReplacesEditsAndOldSizes) {
    memory_image image;
    reset_memory_image(image, model_with(8192, 512));
    image.flash_buffer[100] = 0;
    image.eeprom_buffer[511] = 1;
    image.lock_byte = 0;
    reset_memory_image(image, model_with(1024, 64));
    EXPECT_EQ(image.flash_buffer.size(), 1024u);
    EXPECT_EQ(image.eeprom_buffer.size(), 64u);
    EXPECT_TRUE(all_erased(image.flash_buffer));
    EXPECT_TRUE(all_erased(image.eeprom_buffer));
    EXPECT_EQ(image.lock_byte, 0x3F);
}

TEST(MemoryImage, AMemoryOfNoSizeStillHasOneElementHoldingZero) {
    for (std::int32_t size : {0, -1, -100000}) {
        memory_image image;
        reset_memory_image(image, model_with(size, size));
        EXPECT_EQ(image.flash_buffer, std::vector<std::uint8_t>{0}) << size;
        EXPECT_EQ(image.eeprom_buffer, std::vector<std::uint8_t>{0}) << size;
    }
    memory_image image;
    reset_memory_image(image, model_with(2048, 0));
    EXPECT_EQ(image.flash_buffer.size(), 2048u);
    EXPECT_EQ(image.eeprom_buffer, std::vector<std::uint8_t>{0});
}

} // namespace
} // namespace pellandor
