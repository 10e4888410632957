#include "chip_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pellandor::adapter_sim {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

TEST(ChipFraming, EchoesTheLineOneByteLateAndAnswersReadsInTheLastByte) {
    chip_session s("atmega328p");
    s.reset_low(true);
    s.wait_us(20000);
    EXPECT_EQ(s.send({0xAC, 0x53, 0x11, 0x77}), (frame{0x00, 0xAC, 0x53, 0x11}));
    EXPECT_EQ(s.send({0x30, 0x00, 0x00, 0x00}), (frame{0x77, 0x30, 0x00, 0x1E}));
    EXPECT_EQ(s.send({0x30, 0x00, 0x01, 0x00}), (frame{0x00, 0x30, 0x00, 0x95}));
    EXPECT_EQ(s.read({0x30, 0x00, 0x02, 0x00}), 0x0F);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipFraming, RefusesProgrammingEnableUntilResetHasBeenLowFor20Ms) {
    chip_session s("atmega328p");
    s.reset_low(true);
    s.wait_us(19000);
    EXPECT_EQ(s.send({0xAC, 0x53, 0x00, 0x00}), (frame{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(s.chip.programming());
    ASSERT_EQ(s.faults.size(), 1U);
    EXPECT_THAT(s.faults[0], HasSubstr("programming enable refused"));

    s.wait_us(1000);
    EXPECT_EQ(s.send({0xAC, 0x53, 0x00, 0x00})[2], 0x53);
    EXPECT_TRUE(s.chip.programming());
    EXPECT_EQ(s.faults.size(), 1U);
}

TEST(ChipFraming, IgnoresEverythingButProgrammingEnableBeforeIt) {
    chip_session s("atmega328p");
    s.send({0xAC, 0x53, 0x00, 0x00});
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("while RESET is released"),
                                      HasSubstr("while RESET is released"),
                                      HasSubstr("while RESET is released"),
                                      HasSubstr("while RESET is released")));
    s.faults.clear();
    s.reset_low(true);
    s.wait_us(25000);
    s.send({0xAC, 0x80, 0x00, 0x00});
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("AC 80 00 00 ignored before programming")));
    // A frame that starts one byte off never carries the enable's echo.
    s.send({0x00, 0xAC, 0x53, 0x00});
    EXPECT_FALSE(s.chip.programming());
}

TEST(ChipFraming, ReleasingResetEndsProgrammingAndTakingItLowRestartsTheFrame) {
    chip_session s("atmega328p");
    s.enter();
    s.chip.transfer(0x30, s.now);
    s.chip.transfer(0x00, s.now);
    s.reset_low(false);
    EXPECT_FALSE(s.chip.programming());
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("after 2 of 4 instruction bytes")));
    s.enter();
    EXPECT_TRUE(s.chip.programming());
    EXPECT_EQ(s.read({0x30, 0x00, 0x00, 0x00}), 0x1E);
}

TEST(ChipFraming, InstructionsDuringAWriteAreFaultsAndSpoilIt) {
    chip_session s("atmega328p");
    s.enter();
    s.send({0x40, 0x00, 0x00, 0x12});
    s.send({0x4C, 0x00, 0x00, 0x00});
    EXPECT_EQ(s.read({0xF0, 0x00, 0x00, 0x00}), 0x01);
    EXPECT_THAT(s.faults, IsEmpty());
    EXPECT_NE(s.read({0x20, 0x00, 0x00, 0x00}), 0x12);
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("instruction 0x20 started during a flash write")));
    s.wait_us(4500);
    EXPECT_EQ(s.read({0xF0, 0x00, 0x00, 0x00}), 0x00);
    EXPECT_NE(s.read({0x20, 0x00, 0x00, 0x00}), 0x12);

    s.faults.clear();
    s.write({0xC0, 0x00, 0x10, 0x55}, 3000);
    s.reset_low(false);
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("RESET released during an EEPROM write")));
    EXPECT_NE(s.chip.image().eeprom[0x10], 0x55);
}

TEST(ChipFraming, AWaitOfTheDatasheetDelayIsEnoughForEveryKindOfWrite) {
    chip_session s("attiny85");
    s.enter();
    s.write({0xAC, 0x80, 0x00, 0x00}, 9000);
    s.write({0xC0, 0x00, 0x01, 0x02}, 4000);
    s.write({0xAC, 0xA0, 0x00, 0xE2}, 4500);
    s.write({0xAC, 0xE0, 0x00, 0xFF}, 4500);
    s.write_page(0x0000, {0x01, 0x02});
    EXPECT_EQ(s.read({0x50, 0x00, 0x00, 0x00}), 0xE2);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(ChipFraming, UnknownInstructionsAreFaults) {
    chip_session s("atmega328p");
    s.enter();
    s.send({0x4D, 0x00, 0x01, 0x00});
    s.send({0x50, 0x04, 0x00, 0x00});
    s.send({0xAC, 0x20, 0x00, 0x00});
    EXPECT_THAT(s.faults, ElementsAre(HasSubstr("unknown instruction 4D 00 01 00"),
                                      HasSubstr("unknown instruction 50 04 00 00"),
                                      HasSubstr("unknown instruction AC 20 00 00")));
}

} // namespace
} // namespace pellandor::adapter_sim
