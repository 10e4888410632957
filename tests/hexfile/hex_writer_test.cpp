#include "hexfile/hex_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "hexfile/hex_reader.h"
#include "hexfile/shorten_path.h"
#include "support/recording_message_box.h"

namespace pellandor {
namespace {

std::vector<std::uint8_t> erased(std::size_t size) {
    return std::vector<std::uint8_t>(size, 255);
}

TEST(HexFileText, WritesTheEndRecordAloneForAnErasedBuffer) {
    EXPECT_EQ(hex_file_text(erased(8192), 8192), ":00000001FF\r\n");
    EXPECT_EQ(hex_file_text({}, 0), ":00000001FF\r\n");
}

TEST(HexFileText, EndsTheDataWithAWholeProgramWord) {
    auto flash = erased(8192);
    flash[0] = 0x0C;
    EXPECT_EQ(hex_file_text(flash, 8192), ":020000040000FA\r\n:020000000CFFF3\r\n:00000001FF\r\n");
    flash[1] = 0x94;
    EXPECT_EQ(hex_file_text(flash, 8192), ":020000040000FA\r\n:020000000C945E\r\n:00000001FF\r\n");

    flash = erased(8192);
    flash[0x10] = 0x12;
    EXPECT_EQ(hex_file_text(flash, 8192),
              ":020000040000FA\r\n:10000000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF00\r\n"
              ":0200100012FFDD\r\n:00000001FF\r\n");
}

TEST(HexFileText, MarksEvery64KBlockWithALinearAddressRecord) {
    auto flash = erased(131072);
    flash[0x10000] = 0x01;
    const std::string text = hex_file_text(flash, 131072);
    std::size_t pos = 0;
    auto next_line = [&] {
        const std::size_t end = text.find("\r\n", pos);
        const std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        return line;
    };
    EXPECT_EQ(next_line(), ":020000040000FA");
    int ff_records = 0;
    std::string line;
    while ((line = next_line()).size() == 43 && line.substr(9, 32) == std::string(32, 'F')) {
        EXPECT_EQ(line.substr(0, 3), ":10");
        ++ff_records;
    }
    EXPECT_EQ(ff_records, 4096);
    EXPECT_EQ(line, ":020000040001F9");
    EXPECT_EQ(next_line(), ":0200000001FFFE");
    EXPECT_EQ(next_line(), ":00000001FF");
    EXPECT_EQ(pos, text.size());
}

TEST(HexFileText, NeverReadsBeyondTheBufferOrTheFlashSize) {
    std::vector<std::uint8_t> flash{0x11, 0x22, 0x33};
    EXPECT_EQ(hex_file_text(flash, 8192),
              ":020000040000FA\r\n:0300000011223397\r\n:00000001FF\r\n");
    EXPECT_EQ(hex_file_text(flash, 2), ":020000040000FA\r\n:020000001122CB\r\n:00000001FF\r\n");
    EXPECT_EQ(hex_file_text(flash, -1), ":00000001FF\r\n");
}

TEST(HexFileText, ReadsBackToTheSameBuffer) {
    std::mt19937 random(7);
    auto flash = erased(131072);
    for (std::size_t at = 0; at < flash.size(); ++at) {
        if ((at / 3000) % 3 != 1) {
            flash[at] = static_cast<std::uint8_t>(random());
        }
    }
    flash[0x1FFFE] = 255;
    flash[0x1FFFF] = 255;
    flash[0x1FFFC] = 0;
    const std::string text = hex_file_text(flash, 131072);

    auto read_back = erased(131072);
    std::int32_t bytes_loaded = 0;
    testing::recording_message_box boxes;
    EXPECT_TRUE(read_hextext(text, read_back, 131072, bytes_loaded, boxes));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(read_back, flash);
    EXPECT_EQ(bytes_loaded, 0x1FFFE);
}

TEST(ShortenPath, KeepsTheLast70Characters) {
    const std::string seventy(70, 'a');
    EXPECT_EQ(shorten_path(seventy), seventy);
    const std::string shortened = shorten_path("/" + seventy);
    EXPECT_EQ(shortened, "... " + seventy);
    EXPECT_EQ(shortened.size(), 74U);
    EXPECT_EQ(shorten_path(""), "");
}

TEST(ShortenPath, CountsCharactersOfSeveralBytesAsOne) {
    // 70 characters of 185 bytes stay whole.
    std::string seventy = "/";
    for (int i = 0; i < 23; ++i) {
        seventy += "ä日本";
    }
    EXPECT_EQ(shorten_path(seventy), seventy);
    // The last 70 begin with a whole character.
    EXPECT_EQ(shorten_path("/x" + seventy), "... " + seventy);
    EXPECT_EQ(shorten_path("/日本" + seventy), "... " + seventy);
}

} // namespace
} // namespace pellandor
