#include "chip_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pellandor::adapter_sim {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

TEST(ChipFlash, StoresAWordAsInThePagedWorkedExample) {
    chip_session s("atmega328p");
    s.enter();
    EXPECT_EQ(s.send({0x40, 0x00, 0x04, 0x01}), (frame{0x00, 0x40, 0x00, 0x04}));
    EXPECT_EQ(s.send({0x48, 0x00, 0x04, 0x0F}), (frame{0x01, 0x48, 0x00, 0x04}));
    EXPECT_EQ(s.send({0x4C, 0x01, 0x3F, 0x00}), (frame{0x0F, 0x4C, 0x01, 0x3F}));
    s.wait_us(4500);
    EXPECT_EQ(s.send({0x20, 0x01, 0x04, 0x00}), (frame{0x00, 0x20, 0x01, 0x01}));
    EXPECT_EQ(s.send({0x28, 0x01, 0x04, 0x00}), (frame{0x00, 0x28, 0x01, 0x0F}));
    EXPECT_EQ(s.flash(0x208), 0x01);
    EXPECT_EQ(s.flash(0x209), 0x0F);
    EXPECT_EQ(s.flash(0x20A), 0xFF);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipFlash, PageWritesOnlyClearBitsAndUseThePageOfTheWriteInstruction) {
    chip_session s("atmega328p");
    s.enter();
    s.write_page(0x0000, {0xF0, 0xF0, 0x3C});
    s.write_page(0x0000, {0x0F, 0xFF});
    EXPECT_EQ(s.flash(0), 0x00);
    EXPECT_EQ(s.flash(1), 0xF0);
    EXPECT_EQ(s.flash(2), 0x3C);
    // The buffer is blank again after a write: writing it changes nothing.
    s.write({0x4C, 0x00, 0x00, 0x00}, 4500);
    EXPECT_EQ(s.flash(2), 0x3C);
    // Bits above the page offset in a load, and the offset in a write, do not count.
    s.send({0x40, 0x00, 0x44, 0xAA});
    s.write({0x4C, 0x00, 0x9F, 0x00}, 4500);
    EXPECT_EQ(s.flash(0x108), 0xAA);
    // Address bits beyond the memory wrap around.
    EXPECT_EQ(s.read({0x20, 0xC0, 0x00, 0x00}), 0x00);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipFlash, TheExtendedAddressSelectsTheUpperHalfUntilItIsLoadedAgain) {
    chip_session s("atmega2560");
    s.enter();
    s.send({0x4D, 0x00, 0x01, 0x00});
    s.write_page(0x0080, {0x5A, 0xA5});
    EXPECT_EQ(s.flash(0x20100), 0x5A);
    EXPECT_EQ(s.flash(0x20101), 0xA5);
    EXPECT_EQ(s.read({0x20, 0x00, 0x80, 0x00}), 0x5A);
    s.send({0x4D, 0x00, 0x00, 0x00});
    EXPECT_EQ(s.read({0x20, 0x00, 0x80, 0x00}), 0xFF);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipFlash, ByteWritePartsProgramEachByteAtOnce) {
    chip_session s("at90s2313");
    s.enter();
    s.write({0x40, 0x00, 0x10, 0xAB}, 9000);
    s.write({0x48, 0x00, 0x10, 0xCD}, 9000);
    s.write({0x40, 0x00, 0x10, 0x0F}, 9000);
    EXPECT_EQ(s.read({0x20, 0x00, 0x10, 0x00}), 0x0B);
    EXPECT_EQ(s.read({0x28, 0x04, 0x10, 0x00}), 0xCD);
    EXPECT_THAT(s.faults, IsEmpty());
    for (const frame missing : {frame{0x4C, 0, 0, 0}, frame{0x50, 0, 0, 0}, frame{0x58, 0, 0, 0},
                                frame{0xF0, 0, 0, 0}, frame{0xC1, 0, 0, 0}}) {
        s.send(missing);
    }
    EXPECT_EQ(s.faults.size(), 5U);
}

TEST(ChipFlash, ByteWritePartsNeedAResetPulseAfterChipErase) {
    chip_session s("at90s8515");
    s.enter();
    s.write({0x40, 0x01, 0x00, 0x00}, 9000);
    s.write({0xAC, 0x80, 0x00, 0x00}, 20000);
    s.send({0x30, 0x00, 0x00, 0x00});
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("RESET was not pulsed after the chip erase")));
    s.reset_low(false);
    s.enter();
    EXPECT_EQ(s.read({0x20, 0x01, 0x00, 0x00}), 0xFF);
    EXPECT_EQ(s.faults.size(), 1U);
}

TEST(ChipErase, ClearsFlashEepromAndLockButKeepsTheFuses) {
    auto image = factory_image(*find_chip_model("atmega328p"));
    image.flash[5] = 0x00;
    image.eeprom[3] = 0x12;
    image.lock = 0xFC;
    image.fuses = {0xE2, 0xD9, 0xFD};
    chip_session s("atmega328p", image);
    s.enter();
    s.write({0xAC, 0x80, 0x00, 0x00}, 9000);
    EXPECT_EQ(s.flash(5), 0xFF);
    EXPECT_EQ(s.chip.image().eeprom[3], 0xFF);
    EXPECT_EQ(s.read({0x58, 0x00, 0x00, 0x00}), 0xFF);
    EXPECT_EQ(s.chip.image().fuses, image.fuses);

    image.fuses[1] = 0xD1; // EESAVE programmed
    chip_session keeping("atmega328p", image);
    keeping.enter();
    keeping.send({0xAC, 0x9F, 0x00, 0x00});
    EXPECT_EQ(keeping.flash(5), 0xFF);
    EXPECT_EQ(keeping.chip.image().eeprom[3], 0x12);
}

TEST(ChipEeprom, ByteWritesReplaceAndPageWritesChangeOnlyLoadedBytes) {
    chip_session s("atmega328p");
    s.enter();
    EXPECT_EQ(s.send({0xC0, 0x00, 0x11, 0x0F}), (frame{0x00, 0xC0, 0x00, 0x11}));
    s.wait_us(3600);
    s.write({0xC0, 0x00, 0x08, 0x21}, 3600);
    EXPECT_EQ(s.send({0xA0, 0x04, 0x11, 0x00}), (frame{0x21, 0xA0, 0x04, 0x0F}));
    s.send({0xC1, 0x00, 0x01, 0xAA});
    s.send({0xC1, 0x00, 0x06, 0xBB});
    s.write({0xC2, 0x00, 0x08, 0x00}, 3600);
    const auto& eeprom = s.chip.image().eeprom;
    EXPECT_THAT(std::vector<std::uint8_t>(eeprom.begin() + 8, eeprom.begin() + 12),
                ElementsAre(0x21, 0xAA, 0xBB, 0xFF));
    EXPECT_THAT(s.faults, IsEmpty());

    chip_session older("atmega8");
    older.enter();
    older.send({0xC1, 0x00, 0x01, 0xAA});
    EXPECT_THAT(older.faults, ElementsAre(HasSubstr("unknown instruction C1")));
}

} // namespace
} // namespace pellandor::adapter_sim
