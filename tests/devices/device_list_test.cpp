#include "devices/device_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>

namespace pellandor {
namespace {

// Joins lines with the line end the device list is written with.
std::string crlf_lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TEST(DeviceList, ReadsDefinitionsAndModelsInFileOrder) {
    const device_tables tables = parse_device_list(crlf_lines({
        "erasealgdef 1: begin,s-ac,s-80,end",
        "programalgdef 2: begin,prog",
        "",
        "model: ATtiny13",
        "flash: 1024",
        "eeprom: 64",
        "configdefault: FF-1E-90-07-6A-FF-FF",
        "progtime: 5",
        "pagesize: 16",
        "erasealg: 1",
        "programalg: 2",
        "model: ATmega8",
        "flash: 8192",
        "erasealg: 1",
    }));
    ASSERT_EQ(tables.device_count, 2);
    ASSERT_EQ(tables.records.size(), 3u);
    const device_record& first = tables.records[1];
    EXPECT_EQ(first.device_model, "ATtiny13");
    EXPECT_EQ(first.device_flash, "1024");
    EXPECT_EQ(first.device_eeprom, "64");
    EXPECT_EQ(first.device_configdefault, "FF-1E-90-07-6A-FF-FF");
    EXPECT_EQ(first.device_progtime, "5");
    EXPECT_EQ(first.device_pagesize, "16");
    EXPECT_EQ(first.device_erasealg, "begin,s-ac,s-80,end");
    EXPECT_EQ(first.device_programalg, "begin,prog");
    EXPECT_EQ(first.device_readalg, "");
    const device_record& second = tables.records[2];
    EXPECT_EQ(second.device_model, "ATmega8");
    EXPECT_EQ(second.device_flash, "8192");
    EXPECT_EQ(second.device_eeprom, "");
    EXPECT_EQ(second.device_erasealg, "begin,s-ac,s-80,end");
    EXPECT_EQ(second.device_programalg, "");
    EXPECT_EQ(tables.records[0], device_record{});
}

TEST(DeviceList, AReferenceCopiesTheDefinitionAsItStandsThen) {
    const device_tables tables = parse_device_list(crlf_lines({
        "erasealgdef 1: OLD",
        "model: a",
        "erasealg: 1",
        "erasealgdef 1: NEW",
        "model: b",
        "erasealg: 1",
        "readalg: 4",
    }));
    ASSERT_EQ(tables.device_count, 2);
    EXPECT_EQ(tables.records[1].device_erasealg, "OLD");
    EXPECT_EQ(tables.records[2].device_erasealg, "NEW");
    EXPECT_EQ(tables.erase_algdefs[1], "NEW");
    EXPECT_EQ(tables.records[2].device_readalg, "") << "number 4 was never defined";
}

TEST(DeviceList, FieldLinesAboveTheFirstModelChangeNoModel) {
    const device_tables tables = parse_device_list(crlf_lines({
        "flash: 999",
        "eeprom: 7",
        "model: a",
        "eeprom: 64",
    }));
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[0].device_flash, "999");
    EXPECT_EQ(tables.records[1].device_flash, "");
    EXPECT_EQ(tables.records[1].device_eeprom, "64");
}

TEST(DeviceList, ValueIsEverythingAfterTheFirstBlank) {
    const device_tables tables = parse_device_list(crlf_lines({
        "model:  Two Blanks  ",
        "flash:8192 abc",
        "eeprom: 512 bytes ",
    }));
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[1].device_model, " Two Blanks  ");
    EXPECT_EQ(tables.records[1].device_flash, "abc");
    EXPECT_EQ(tables.records[1].device_eeprom, "512 bytes ");
}

TEST(DeviceList, KeysIgnoreCaseAndValuesKeepIt) {
    const device_tables tables = parse_device_list(crlf_lines({
        "ERASEALGDEF 2: Begin,S-AC,End",
        "MoDeL: ATmega328P",
        "FLASH: 32768",
        "EraseAlg: 2",
    }));
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[1].device_model, "ATmega328P");
    EXPECT_EQ(tables.records[1].device_flash, "32768");
    EXPECT_EQ(tables.erase_algdefs[2], "Begin,S-AC,End");
    EXPECT_EQ(tables.records[1].device_erasealg, "Begin,S-AC,End");
}

TEST(DeviceList, LinesThatMatchNoKeyAreIgnored) {
    const device_tables tables = parse_device_list(crlf_lines({
        "model: a",
        "flash : 100",      // blank before the colon
        " flash: 200",      // begins with a blank
        " model: b",        // likewise
        "this is a remark", // free text
        "flashsize: 300",   // unknown key
        "model:nospace",    // no blank at all
        "erasealgdef",      // no blank at all
        "eeprom: 64",
    }));
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[1].device_flash, "");
    EXPECT_EQ(tables.records[1].device_eeprom, "64");
    EXPECT_EQ(tables.erase_algdefs[0], "");
}

TEST(DeviceList, TheCharacterAfterTheDefinitionColonOnlySeparates) {
    const device_tables tables = parse_device_list(crlf_lines({
        "erasealgdef 1: begin,end",
        "erasealgdef 2:begin,end",
        "erasealgdef 3:",
        "erasealgdef 4: ",
        "erasealgdef 5", // no colon: the text starts at the 2nd character
        "verifyalgdef 6:  two",
    }));
    EXPECT_EQ(tables.erase_algdefs[1], "begin,end");
    EXPECT_EQ(tables.erase_algdefs[2], "egin,end");
    EXPECT_EQ(tables.erase_algdefs[3], "");
    EXPECT_EQ(tables.erase_algdefs[4], "");
    EXPECT_EQ(tables.erase_algdefs[5], "rasealgdef 5");
    EXPECT_EQ(tables.verify_algdefs[6], " two");
}

TEST(DeviceList, DefinitionNumbersAreRoundedHalvesToEven) {
    const device_tables tables = parse_device_list(crlf_lines({
        "readalgdef 07: seven",
        "readalgdef 2.5: two",
        "readalgdef 3.5: four",
        "readalgdef 0: zero",
        "readalgdef 20: twenty",
        "model: a",
        "readalg: 7.4",
    }));
    EXPECT_EQ(tables.read_algdefs[7], "seven");
    EXPECT_EQ(tables.read_algdefs[2], "two");
    EXPECT_EQ(tables.read_algdefs[3], "");
    EXPECT_EQ(tables.read_algdefs[4], "four");
    EXPECT_EQ(tables.read_algdefs[0], "zero");
    EXPECT_EQ(tables.read_algdefs[20], "twenty");
    EXPECT_EQ(tables.records[1].device_readalg, "seven");
}

TEST(DeviceList, NumbersOutsideTheTablesNeitherWriteNorRead) {
    const device_tables tables = parse_device_list(crlf_lines({
        "blankcheckalgdef 21: x",
        "blankcheckalgdef -1: x",
        "blankcheckalgdef 1e300: x",
        "blankcheckalgdef -1e300: x",
        "blankcheckalgdef 20.5: x", // rounds to 20, inside
        "blankcheckalgdef 20.6: x", // rounds to 21, outside
        "blankcheckalgdef &H7FFFFFFF: x",
        "model: a",
        "blankcheckalg: 21",
        "verifyalg: -1",
        "programalg: 4294967296",
    }));
    device_tables expected;
    expected.blankcheck_algdefs[20] = "x";
    EXPECT_EQ(tables.erase_algdefs, expected.erase_algdefs);
    EXPECT_EQ(tables.program_algdefs, expected.program_algdefs);
    EXPECT_EQ(tables.read_algdefs, expected.read_algdefs);
    EXPECT_EQ(tables.blankcheck_algdefs, expected.blankcheck_algdefs);
    EXPECT_EQ(tables.verify_algdefs, expected.verify_algdefs);
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[1].device_blankcheckalg, "");
    EXPECT_EQ(tables.records[1].device_verifyalg, "");
    EXPECT_EQ(tables.records[1].device_programalg, "");
}

TEST(DeviceList, AFileWithoutModelsHasNone) {
    EXPECT_EQ(parse_device_list("").device_count, 0);
    const device_tables only_definitions =
        parse_device_list(crlf_lines({"erasealgdef 1: a", "flash: 10"}));
    EXPECT_EQ(only_definitions.device_count, 0);
    EXPECT_EQ(only_definitions.records.size(), 1u);
}

TEST(DeviceList, ModelsWithTheSameNameStaySeparate) {
    const device_tables tables =
        parse_device_list(crlf_lines({"model: x", "flash: 1", "model: x", "flash: 2"}));
    ASSERT_EQ(tables.device_count, 2);
    EXPECT_EQ(tables.records[1].device_flash, "1");
    EXPECT_EQ(tables.records[2].device_flash, "2");
}

TEST(DeviceList, EveryLineEndGivesTheSameTables) {
    const std::string lines[] = {"erasealgdef 1: a,b", "model: m1", "erasealg: 1", "model: m2",
                                 "flash: 20"};
    std::string with_crlf, with_lf, with_cr, mixed;
    for (const std::string& line : lines) {
        with_crlf += line + "\r\n";
        with_lf += line + "\n";
        with_cr += line + "\r";
        mixed += line + (mixed.size() % 2 ? "\n" : "\r\n\r\n");
    }
    const device_tables expected = parse_device_list(with_crlf);
    ASSERT_EQ(expected.device_count, 2);
    EXPECT_EQ(expected.records[2].device_flash, "20");
    EXPECT_EQ(parse_device_list(with_lf), expected);
    EXPECT_EQ(parse_device_list(with_cr), expected);
    EXPECT_EQ(parse_device_list(mixed), expected);
    // A byte-order mark before the first line hides nothing.
    EXPECT_EQ(parse_device_list("\xEF\xBB\xBF" + with_crlf), expected);
    // The last line needs no line end.
    with_crlf.resize(with_crlf.size() - 2);
    EXPECT_EQ(parse_device_list(with_crlf), expected);
}

TEST(DeviceList, EightBitBytesAreKept) {
    const device_tables tables =
        parse_device_list(std::string("model: Ger\xE4t \xC3\xBC\x01\xFF\r\n"));
    ASSERT_EQ(tables.device_count, 1);
    EXPECT_EQ(tables.records[1].device_model, "Ger\xE4t \xC3\xBC\x01\xFF");
}

class DeviceListFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("pellandor-device-list-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

TEST_F(DeviceListFile, LoadsTheFileAsItsText) {
    const std::string text = crlf_lines({"programalgdef 0: p", "model: m", "programalg: 0"});
    const std::filesystem::path file = folder / device_list_file_name;
    std::ofstream(file, std::ios::binary) << text;
    const device_tables tables = load_devices(file);
    EXPECT_EQ(tables, parse_device_list(text));
    EXPECT_EQ(tables.records[1].device_programalg, "p");
}

TEST_F(DeviceListFile, AMissingOrUnreadableFileHasNoModels) {
    EXPECT_EQ(load_devices(folder / "no-such-file.txt").device_count, 0);
    EXPECT_EQ(load_devices(folder).device_count, 0);
}

} // namespace
} // namespace pellandor
