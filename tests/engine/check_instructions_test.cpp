#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace pellandor {
namespace {

using bytes = std::vector<std::uint8_t>;

class CheckInstructions : public testing::engine_fixture {
protected:
    // Moves the counter to n with checks that find nothing, then reads value.
    std::vector<std::string> at_counter(int n, const char* advance) {
        std::vector<std::string> words{"temp=get"};
        words.insert(words.end(), static_cast<std::size_t>(n), advance);
        words.emplace_back("temp=get");
        return words;
    }

    // The report's lines below its heading.
    static int lines_of(const std::string& report) {
        int lines = -1;
        for (std::size_t at = report.find("\r\n"); at != std::string::npos;
             at = report.find("\r\n", at + 2)) {
            ++lines;
        }
        return lines;
    }

    static constexpr const char* heading = "Memory Location,   Read Value,   Expected,\r\n";
};

TEST_F(CheckInstructions, ABlankEepromByteMismatchNamesItsAddressAndAdvances) {
    std::vector<std::string> words = at_counter(5, "checkblankeeprom");
    words.insert(words.end(), {"checkblankeeprom", "end"});
    start(operation_kind::blank, words);
    engine.receive("\xFF");
    reply(6);
    ASSERT_EQ(engine.address_counter(), 5);
    engine.receive(std::string("\x12\x00", 2)); // the value read, then the next reply
    EXPECT_EQ(host.statuses.back(), "E:6/1");
    EXPECT_EQ(engine.address_counter(), 6);
    EXPECT_EQ(engine.error_report(), std::string(heading) + "EEPROM Byte 0005h,   12h,   FFh,\r\n");
    EXPECT_EQ(host.written.back(), 0xC8);
}

TEST_F(CheckInstructions, AFlashHighByteMismatchExpectsTheBuffersByte) {
    image.flash_buffer[0x21] = 0x3F;
    std::vector<std::string> words = at_counter(0x10, "checkblankflashh");
    words.insert(words.end(), {"checkflashh", "end"});
    start(operation_kind::verify, words);
    engine.receive("\xFF");
    reply(0x10);
    reply(3); // signal, value 00, signal
    EXPECT_EQ(engine.error_report(),
              std::string(heading) + "FLASH Word HB 000010h,   00h,   3Fh,\r\n");
    EXPECT_EQ(engine.address_counter(), 0x11);
}

TEST_F(CheckInstructions, ConfigurationChecksCompareWithDefaultsOrTheImage) {
    image.lock_byte = 0x00;
    image.fuse_bytes[2] = 0x01;
    start(operation_kind::verify,
          {"temp=get", "checkblanklock", "checklock", "checkblanksign1", "checkfuse2", "end"});
    engine.receive("\x07");
    reply(4);
    EXPECT_EQ(host.statuses[host.statuses.size() - 4], "LOCK:");
    EXPECT_EQ(host.statuses.back(), "FUSE2:");
    EXPECT_EQ(engine.error_report(), std::string(heading) +
                                         "LOCK BIT BYTE,   07h,   3Fh,\r\n"
                                         "LOCK BIT BYTE,   07h,   00h,\r\n"
                                         "SIGNATURE BYTE 1,   07h,   95h,\r\n"
                                         "FUSE EXTENDED BYTE,   07h,   01h,\r\n");
    EXPECT_EQ(image.lock_byte, 0x00); // checks never change what they compare with
}

TEST_F(CheckInstructions, TwentyFourDifferencesRunTheListToItsEnd) {
    model.flash_size = 24;
    start(operation_kind::blank, {"setflashloop", "temp=get", "checkblankflashl", "temp=get",
                                  "checkblankflashh", "loop", "end"});
    run_to_end();
    EXPECT_EQ(engine.error_count(), 24);
    EXPECT_EQ(lines_of(engine.error_report()), 24);
    EXPECT_EQ(host.written.back(), 0xCA);
    EXPECT_EQ(engine.address_counter(), 0); // the loop finished
}

TEST_F(CheckInstructions, TheTwentyFifthDifferenceJumpsToTheLastInstruction) {
    start(operation_kind::blank, {"setflashloop", "temp=get", "checkblankflashl", "temp=get",
                                  "checkblankflashh", "loop", "end"});
    while (engine.error_count() < 25) {
        reply(1);
    }
    EXPECT_EQ(engine.instr_ptr(), 7);
    EXPECT_EQ(engine.address_counter(), 12);
    host.clear();
    reply(1);
    EXPECT_EQ(host.written, bytes{0xCA});
    reply(1);
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(lines_of(engine.error_report()), 25);
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text, "Chip is not blank:\r\n\r\n" + engine.error_report());
}

TEST_F(CheckInstructions, ALastCheckInstructionAddsATwentySixthLine) {
    start(operation_kind::verify, {"setflashloop", "temp=get", "checkblankflashl", "temp=get",
                                   "checkblankflashh", "loop", "checkblanklock"});
    while (engine.error_count() < 25) {
        reply(1);
    }
    reply(1);
    EXPECT_EQ(engine.error_count(), 26);
    EXPECT_EQ(engine.instr_ptr(), 8);
    reply(1);
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(lines_of(engine.error_report()), 26);
}

} // namespace
} // namespace pellandor
