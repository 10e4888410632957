#include "chip_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

namespace pellandor::adapter_sim {
namespace {

bool power_of_two(std::uint32_t value) {
    return value != 0 && (value & (value - 1)) == 0;
}

bool fuse_programmed(const chip_model& model, fuse_bit bit) {
    return (model.fuse_defaults[static_cast<std::size_t>(bit.byte) - 1] & bit.mask) == 0;
}

// The address arithmetic relies on sizes that are powers of two, and a
// factory chip must be reachable over its serial interface.
TEST(ChipModels, EveryModelIsConsistent) {
    std::set<std::array<std::uint8_t, 3>> signatures;
    ASSERT_EQ(chip_models().size(), 18U);
    for (const auto& model : chip_models()) {
        SCOPED_TRACE(std::string(model.name));
        EXPECT_EQ(find_chip_model(model.name), &model);
        EXPECT_TRUE(signatures.insert(model.signature).second);
        EXPECT_TRUE(power_of_two(model.flash_bytes));
        EXPECT_TRUE(power_of_two(model.eeprom_bytes));
        EXPECT_TRUE(model.page_words == 0 || power_of_two(model.page_words));
        EXPECT_TRUE(model.eeprom_page_bytes == 0 || power_of_two(model.eeprom_page_bytes));
        EXPECT_TRUE(model.calibration_bytes == 0 || power_of_two(model.calibration_bytes));
        EXPECT_EQ(model.has_extended_address, model.flash_words() > 65536);
        if (model.paged()) {
            EXPECT_TRUE(fuse_programmed(model, model.spien));
            EXPECT_FALSE(fuse_programmed(model, model.eesave));
        }
        EXPECT_GT(model.flash_write_us, 0U);
        EXPECT_GT(model.eeprom_write_us, 0U);
        EXPECT_GT(model.erase_us, 0U);
        EXPECT_GT(model.fuse_write_us, 0U);
    }
    EXPECT_EQ(find_chip_model("ATmega8"), nullptr);
}

TEST(ChipState, FactoryChipIsBlankWithTheDefaultFuses) {
    const auto& model = *find_chip_model("atmega88");
    const auto image = factory_image(model);
    const auto bytes = state_bytes(image);
    ASSERT_EQ(bytes.size(), 8192U + 512U + 4U);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end() - 4, [](auto b) { return b == 0xFF; }));
    EXPECT_THAT(std::vector<std::uint8_t>(bytes.end() - 4, bytes.end()),
                testing::ElementsAre(0xFF, 0x62, 0xDF, 0xF9));
    const auto older = state_bytes(factory_image(*find_chip_model("at90s8515")));
    EXPECT_THAT(std::vector<std::uint8_t>(older.end() - 4, older.end()),
                testing::ElementsAre(0xFF, 0xFF, 0xFF, 0xFF));
}

TEST(ChipState, RoundTripsAndRefusesAWrongLength) {
    const auto& model = *find_chip_model("attiny45");
    auto image = factory_image(model);
    image.flash[0] = 0x12;
    image.flash.back() = 0x34;
    image.eeprom[7] = 0x56;
    image.lock = 0xFC;
    image.fuses = {0xE1, 0x57, 0xFE};
    const auto bytes = state_bytes(image);
    const auto back = image_from_state(model, bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(state_bytes(*back), bytes);

    EXPECT_FALSE(image_from_state(model, std::span(bytes).first(bytes.size() - 1)).has_value());
    auto longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(image_from_state(model, longer).has_value());

    // Bits the chip does not have come back as 1, as the chip would read them.
    auto cleared = bytes;
    std::fill(cleared.end() - 4, cleared.end(), 0x00);
    const auto loaded = image_from_state(model, cleared);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->lock, 0xFC);
    EXPECT_EQ(loaded->fuses[2], 0xFE);
}

} // namespace
} // namespace pellandor::adapter_sim
