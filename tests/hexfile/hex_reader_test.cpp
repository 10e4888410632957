#include "hexfile/hex_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "hexfile/hex_checksum.h"
#include "startup/app_info.h"
#include "startup/hex_text.h"
#include "support/recording_message_box.h"

namespace pellandor {
namespace {

const std::string error_head = "Input program file in Intel Hex Format contains errors.\r\n";

// A record of the given digits completed with its checksum.
std::string record(const std::string& digits) {
    return ":" + digits + hex_checksum(digits);
}

struct HexReading : ::testing::Test {
    std::int32_t flash_size = 8192;
    std::vector<std::uint8_t> flash_buffer = std::vector<std::uint8_t>(8192, 255);
    std::int32_t bytes_loaded = 0;
    testing::recording_message_box boxes;

    void use_flash(std::int32_t size) {
        flash_size = size;
        flash_buffer.assign(static_cast<std::size_t>(size), 255);
    }
    bool read(std::string_view text) {
        return read_hextext(text, flash_buffer, flash_size, bytes_loaded, boxes);
    }
    // Reads the text and expects false with a single error box naming the line
    // and the reason.
    void expect_fault(std::string_view text, const std::string& line_and_reason) {
        boxes.boxes.clear();
        EXPECT_FALSE(read(text)) << text;
        ASSERT_EQ(boxes.boxes.size(), 1U) << text;
        EXPECT_EQ(boxes.boxes[0].text, error_head + "Line number " + line_and_reason) << text;
        EXPECT_EQ(boxes.boxes[0].kind, msgbox_error);
        EXPECT_EQ(boxes.boxes[0].title, app_title);
    }
    bool erased() const {
        return std::all_of(flash_buffer.begin(), flash_buffer.end(),
                           [](std::uint8_t b) { return b == 255; });
    }
};

TEST(HexChecksum, IsTheTwosComplementOfThePairSum) {
    EXPECT_EQ(hex_checksum("00000001"), "FF");
    EXPECT_EQ(hex_checksum("020000040000"), "FA");
    EXPECT_EQ(hex_checksum("020000000C94"), "5E");
    EXPECT_EQ(hex_checksum(""), "00");
    EXPECT_EQ(hex_checksum("FF"), "01");
    EXPECT_EQ(hex_checksum("8080"), "00");
}

TEST(HexChecksum, CountsABadPairAsMinusOneAndIgnoresAnOddLastDigit) {
    EXPECT_EQ(hex_checksum("0G"), "01");
    EXPECT_EQ(hex_checksum("ff"), "01");
    EXPECT_EQ(hex_checksum("01F"), "FF");
    EXPECT_EQ(hex_checksum("7"), "00");
}

TEST_F(HexReading, EndRecordAloneOrNoRecordAtAllIsAnEmptyImage) {
    for (const char* text : {":00000001FF", ":00000001FF   \r\n", "", "\r\n\r\n",
                             "; only a comment\r\n\r\n;another\n"}) {
        EXPECT_TRUE(read(text)) << text;
    }
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(bytes_loaded, 0);
    EXPECT_TRUE(erased());
}

TEST_F(HexReading, StoresDataBytesAndRaisesBytesLoaded) {
    EXPECT_TRUE(read(":020000000C945E\r\n:00000001FF\r\n"));
    EXPECT_EQ(flash_buffer[0], 0x0C);
    EXPECT_EQ(flash_buffer[1], 0x94);
    EXPECT_EQ(flash_buffer[2], 255);
    EXPECT_EQ(bytes_loaded, 2);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(HexReading, TakesRecordsInAnyOrderAndOnlyEverRaisesBytesLoaded) {
    bytes_loaded = 40;
    EXPECT_TRUE(read(record("0400210011223344") + "\n" + record("0100010001") + "\n" +
                     record("0100220055") + "\n" + record("0100050077")));
    EXPECT_EQ(flash_buffer[0x21], 0x11);
    EXPECT_EQ(flash_buffer[0x22], 0x55);
    EXPECT_EQ(flash_buffer[0x23], 0x33);
    EXPECT_EQ(flash_buffer[0x01], 0x01);
    EXPECT_EQ(flash_buffer[0x05], 0x77);
    EXPECT_EQ(bytes_loaded, 40);
}

TEST_F(HexReading, StopsAtTheEndRecordWithoutLookingFurther) {
    EXPECT_TRUE(
        read(record("0100000011") + "\r\n:00000001FF\r\ngarbage\r\n" + record("0100010022")));
    EXPECT_EQ(flash_buffer[0], 0x11);
    EXPECT_EQ(flash_buffer[1], 255);
    EXPECT_TRUE(boxes.boxes.empty());
    // The end record's count, address and data are not looked at.
    EXPECT_TRUE(read(record("FFABCD01ZZZZ")));
}

TEST_F(HexReading, RejectsRecordsStepByStepWithTheirReasons) {
    expect_fault("  :00000001FF", "1: The record does not begin with ':' simbol.");
    expect_fault(":000000010", "1: The record is too short.");
    expect_fault(":00000001ff", "1: Invalid 'checksum' field in the record.");
    expect_fault(":020000000c945e", "1: Invalid 'checksum' field in the record.");
    expect_fault(":020000000C945F", "1: Invalid 'checksum' field in the record.");
    expect_fault(record("0400000300000100"), "1: Invalid 'record type' field in the record.");
    expect_fault(record("000000G0"), "1: Invalid 'record type' field in the record.");
    expect_fault(":020010040000EA", "1: Invalid '04 type' record.");
    expect_fault(record("0200000400001"), "1: Invalid '04 type' record.");
    expect_fault(record("020000040x00"), "1: Invalid '04 type' record.");
    expect_fault(":020000021001EB", "1: Invalid '02 type' record.");
    expect_fault(record("020001021000"), "1: Invalid '02 type' record.");
    expect_fault(record("0G000000AABB"), "1: Invalid 'number of bytes' field in the record.");
    expect_fault(record("0200G000AABB"), "1: Invalid 'address' field in the record.");
    expect_fault(record("02000000AABBCC"), "1: The record does not contain the specified "
                                           "number of bytes.");
    expect_fault(record("02000000AAB"), "1: The record does not contain the specified "
                                        "number of bytes.");
    EXPECT_EQ(bytes_loaded, 0);
    EXPECT_TRUE(erased());
}

TEST_F(HexReading, ABadDataByteKeepsTheBytesBeforeIt) {
    expect_fault(record("03000000AAzzBB"), "1: Invalid data byte in the record.");
    EXPECT_EQ(flash_buffer[0], 0xAA);
    EXPECT_EQ(flash_buffer[1], 255);
    EXPECT_EQ(flash_buffer[2], 255);
    EXPECT_EQ(bytes_loaded, 1);
}

TEST_F(HexReading, IgnoresStartAddressesAndEmptyDataRecords) {
    EXPECT_TRUE(read(":10000000F0\r\n" + record("0400000500000100") + "\r\n" + record("ZZGGGG00") +
                     "\r\n"));
    EXPECT_TRUE(erased());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(HexReading, AddsTheLinearAndSegmentBases) {
    use_flash(0x30000);
    // The count field of 02 and 04 records is not checked.
    EXPECT_TRUE(read(":020000021000EC\n" + record("0100000011") + "\n" + record("FF0000040001") +
                     "\n" + record("0100000022") + "\n" + record("020000020000") + "\n" +
                     record("01FFFF0033")));
    EXPECT_EQ(flash_buffer[0x10000], 0x11);
    EXPECT_EQ(flash_buffer[0x20000], 0x22);
    EXPECT_EQ(flash_buffer[0x1FFFF], 0x33);
    EXPECT_EQ(bytes_loaded, 0x20001);
}

TEST_F(HexReading, CountsLineBreakRunsAsAQuarterRoundedUp) {
    const std::string good = ":020000000C945E";
    expect_fault(good + "\r\n\r\n:0\r\n", "2: The record is too short.");
    expect_fault(good + "\n\n:0", "2: The record is too short.");
    expect_fault(good + "\r:0", "2: The record is too short.");
    expect_fault(good + "\n\n\n\n\n:0", "3: The record is too short.");
    expect_fault(good + "\r\n\r\n\r\n:0", "3: The record is too short.");
    expect_fault(good + "\r\n;comment\r\n\r\n\r\n   \r\n:0", "5: The record is too short.");
    expect_fault("\r\n\r\n\r\n:0", "3: The record is too short.");
}

TEST_F(HexReading, WarnsOfBytesBeyondTheFlashEndAndStoresTheRest) {
    EXPECT_TRUE(read(record("101FF800000102030405060708090A0B0C0D0E0F") + "\r\n:00000001FF\r\n"));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].text, "Warning!\r\n" + error_head +
                                       "There are data for 8 addresses out of range:\r\n"
                                       "002000, 002001, 002002, 002003, 002004, 002005, "
                                       "002006, 002007.\r\n");
    EXPECT_EQ(boxes.boxes[0].kind, msgbox_information);
    EXPECT_EQ(boxes.boxes[0].title, app_title);
    EXPECT_EQ(flash_buffer[0x1FF8], 0x00);
    EXPECT_EQ(flash_buffer[0x1FFF], 0x07);
    EXPECT_EQ(bytes_loaded, 8192);
}

TEST_F(HexReading, DoesNotCheckTheDigitsOfBytesBeyondTheFlashEnd) {
    EXPECT_TRUE(read(record("02200000zzzz")));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_NE(boxes.boxes[0].text.find("002000, 002001.\r\n"), std::string::npos);
}

TEST_F(HexReading, ShortensTheListBeyond24Entries) {
    std::string list24;
    for (int i = 0; i < 24; ++i) {
        list24 += hex6(0x2000 + i) + ", ";
    }
    list24.replace(list24.size() - 2, 2, ".");
    EXPECT_TRUE(read(record("18200000" + std::string(48, '0'))));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_NE(boxes.boxes[0].text.find("data for 24 addresses out of range:\r\n" + list24 + "\r\n"),
              std::string::npos);

    boxes.boxes.clear();
    EXPECT_TRUE(read(record("19200000" + std::string(50, '0'))));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_NE(boxes.boxes[0].text.find(
                  "data for 25 addresses out of range:\r\n"
                  "002000, 002001, 002002, 002003, 002004, 002005, 002006, 002007, 002008, "
                  "002009, 00200A, 00200B, 00200C, 00200D, 00200E, 00200F, ..., 002011, 002012, "
                  "002013, 002014, 002015, 002016, 002017, 002018.\r\n"),
              std::string::npos);
}

TEST_F(HexReading, KeepsTheWarningExactForAVeryLongList) {
    use_flash(16);
    std::string text = record("020000040001") + "\n";
    for (int r = 0; r < 200; ++r) {
        text += record("FA" + hex4(r * 250) + "00" + std::string(500, 'A')) + "\n";
    }
    EXPECT_TRUE(read(text));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].text,
              "Warning!\r\n" + error_head +
                  "There are data for 50000 addresses out of range:\r\n"
                  "010000, 010001, 010002, 010003, 010004, 010005, 010006, 010007, 010008, "
                  "010009, 01000A, 01000B, 01000C, 01000D, 01000E, 01000F, ..., 01C348, 01C349, "
                  "01C34A, 01C34B, 01C34C, 01C34D, 01C34E, 01C34F.\r\n");
}

TEST_F(HexReading, AFaultDropsTheOutOfRangeWarning) {
    expect_fault(record("0120000011") + "\r\n  bad",
                 "2: The record does not begin with ':' simbol.");
}

TEST_F(HexReading, ListsAddressesBeyondTheSignedRangeWithoutStoringThem) {
    EXPECT_TRUE(read(record("020000048000") + "\n" + record("0100000011") + "\n" +
                     record("020000047FFF") + "\n" + record("02000002FFF0") + "\n" +
                     record("02FFFF002233")));
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_NE(boxes.boxes[0].text.find("data for 3 addresses out of range:\r\n"
                                       "000000, 0FFEFF, 0FFF00."),
              std::string::npos);
    EXPECT_TRUE(erased());
    EXPECT_EQ(bytes_loaded, 0);
}

TEST_F(HexReading, NeverStoresBeyondTheBufferWhateverTheFlashSizeSays) {
    flash_buffer.assign(4, 255);
    flash_size = 8192;
    EXPECT_TRUE(read(record("0700000011223344556677")));
    EXPECT_EQ(flash_buffer, (std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(bytes_loaded, 4);
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_NE(boxes.boxes[0].text.find("000004, 000005, 000006."), std::string::npos);

    flash_buffer.clear();
    boxes.boxes.clear();
    flash_size = -5;
    EXPECT_TRUE(read(record("0100000011")));
    EXPECT_EQ(boxes.boxes.size(), 1U);
}

} // namespace
} // namespace pellandor
