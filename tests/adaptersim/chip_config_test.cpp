#include "chip_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pellandor::adapter_sim {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr frame read_low{0x50, 0x00, 0x00, 0x00};
constexpr frame read_high{0x58, 0x08, 0x00, 0x00};
constexpr frame read_extended{0x50, 0x08, 0x00, 0x00};
constexpr frame read_lock{0x58, 0x00, 0x00, 0x00};

void write(chip_session& s, std::uint8_t kind, std::uint8_t value) {
    s.write({0xAC, kind, 0x00, value}, 9000);
}

TEST(ChipFuses, GoBothWaysReadUnusedBitsAsOneAndKeepSpien) {
    chip_session s("atmega328p");
    s.enter();
    EXPECT_EQ(s.read(read_low), 0x62);
    write(s, 0xA0, 0x00);
    EXPECT_EQ(s.read(read_low), 0x00);
    write(s, 0xA0, 0xFF);
    EXPECT_EQ(s.read(read_low), 0xFF);
    write(s, 0xA4, 0x05);
    EXPECT_EQ(s.read(read_extended), 0xFD);
    write(s, 0xA8, 0xFF);
    EXPECT_EQ(s.read(read_high), 0xDF);

    chip_session tiny("attiny13");
    tiny.enter();
    write(tiny, 0xA8, 0x00);
    EXPECT_EQ(tiny.read(read_high), 0xE0);
    write(tiny, 0xA0, 0xFF);
    EXPECT_EQ(tiny.read(read_low), 0x7F);
    EXPECT_THAT(tiny.faults, IsEmpty());
    tiny.send(read_extended);
    tiny.send({0xAC, 0xA4, 0x00, 0xFF});
    EXPECT_EQ(tiny.faults.size(), 2U);
}

TEST(ChipFuses, ASavedImageWithSpienUnprogrammedCannotBeReached) {
    auto image = factory_image(*find_chip_model("atmega8"));
    image.fuses[1] = 0xFF;
    chip_session s("atmega8", image);
    s.enter();
    EXPECT_FALSE(s.chip.programming());
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("SPIEN unprogrammed")));
}

TEST(ChipLock, BitsOnlyGetProgrammedAndUnusedOnesReadOne) {
    chip_session s("atmega328p");
    s.enter();
    write(s, 0xE0, 0x3F);
    EXPECT_EQ(s.read(read_lock), 0xFF);
    write(s, 0xE0, 0xFE);
    write(s, 0xE0, 0xFF);
    EXPECT_EQ(s.read(read_lock), 0xFE);

    chip_session small("atmega48");
    small.enter();
    write(small, 0xE0, 0x00);
    EXPECT_EQ(small.read(read_lock), 0xFC);
}

TEST(ChipLock, ModeTwoStopsWritesAndModeThreeAlsoReads) {
    auto image = factory_image(*find_chip_model("atmega328p"));
    image.flash[0x37] = 0x42;
    image.eeprom[0x37] = 0x43;
    image.lock = 0xFE;
    chip_session s("atmega328p", image);
    s.enter();
    s.write_page(0x0000, {0x00, 0x00});
    write(s, 0xA0, 0x00);
    s.write({0xC0, 0x00, 0x00, 0x00}, 3600);
    EXPECT_EQ(s.flash(0), 0xFF);
    EXPECT_EQ(s.chip.image().eeprom[0], 0xFF);
    EXPECT_EQ(s.read(read_low), 0x62);
    EXPECT_EQ(s.read({0x28, 0x00, 0x1B, 0x00}), 0x42);

    write(s, 0xE0, 0xFC);
    EXPECT_EQ(s.read({0x28, 0x00, 0x1B, 0x00}), 0x1B);
    EXPECT_EQ(s.read({0xA0, 0x00, 0x37, 0x00}), 0x37);
    EXPECT_EQ(s.read({0x30, 0x00, 0x00, 0x00}), 0x1E);
    EXPECT_EQ(s.read(read_lock), 0xFC);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipLock, ByteWritePartsTakeTheLockInTheSecondByteAndHideEvenTheSignature) {
    chip_session s("at90s2313");
    s.enter();
    write(s, 0xE4, 0x00);
    EXPECT_EQ(s.chip.image().lock, 0xFE);
    EXPECT_EQ(s.read({0x30, 0x00, 0x00, 0x00}), 0x1E);
    write(s, 0xE0, 0xFF);
    EXPECT_EQ(s.chip.image().lock, 0xFC);
    EXPECT_EQ(s.read({0x30, 0x00, 0x01, 0x00}), 0x01);
    EXPECT_EQ(s.read({0x30, 0x00, 0x02, 0x00}), 0x02);
    EXPECT_EQ(s.read({0x20, 0x00, 0x09, 0x00}), 0x09);
    EXPECT_THAT(s.faults, IsEmpty());
}

} // namespace
} // namespace pellandor::adapter_sim
