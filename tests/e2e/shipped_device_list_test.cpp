// The shipped device list read by the program's own reader: faults that would
// end the program or confuse the adapter before any chip is reached.
#include <gtest/gtest.h>
#include <set>

#include "devices/device_list.h"
#include "devices/selected_model.h"
#include "startup/hex_text.h"
#include "startup/text_value.h"

namespace pellandor {
namespace {

const std::set<std::string> control_words{"begin",
                                          "end",
                                          "calcflash",
                                          "calceeprom",
                                          "wprog",
                                          "setflashloop",
                                          "seteepromloop",
                                          "loop",
                                          "ifpage",
                                          "endifpage",
                                          "checkblankflashl",
                                          "checkblankflashh",
                                          "checkblankeeprom",
                                          "checkblanklock",
                                          "checkblanksign0",
                                          "checkblanksign1",
                                          "checkblanksign2",
                                          "checkblankfuse0",
                                          "checkblankfuse1",
                                          "checkblankfuse2",
                                          "checkflashl",
                                          "checkflashh",
                                          "checkeeprom",
                                          "checklock",
                                          "checksign0",
                                          "checksign1",
                                          "checksign2",
                                          "checkfuse0",
                                          "checkfuse1",
                                          "checkfuse2"};

// Words that shift one byte over the adapter's SPI link.
const std::set<std::string> spi_words{
    "s-low",      "s-high",     "s-lowpage",  "s-highpage", "s-flashl",  "s-flashh",
    "s-eeprom",   "s-lock",     "s-fuse0",    "s-fuse1",    "s-fuse2",   "lock=get",
    "sign0=get",  "sign1=get",  "sign2=get",  "fuse0=get",  "fuse1=get", "fuse2=get",
    "flashl=get", "flashh=get", "eeprom=get", "temp=get"};

bool is_data_byte(const std::string& word) {
    if (word.size() != 3 || word[0] != 's') {
        return false;
    }
    std::string digits = word.substr(1);
    for (char& c : digits) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return hex2_value(digits) >= 0;
}

bool is_timed_wait(const std::string& word) {
    return word.size() > 1 && word[0] == 'w' && word != "wprog" &&
           word.find_first_not_of("0123456789", 1) == std::string::npos;
}

// Every word known, every four-byte instruction whole before a word that
// talks to the adapter alone, every loop and page block closed, the link
// entered after at least 20 ms of reset and left at the end.
void check_algorithm(const std::string& model, const char* name, const instruction_list& list) {
    SCOPED_TRACE(model + " " + name);
    const auto& items = list.items;
    ASSERT_GE(list.count(), 6);
    EXPECT_EQ(items[1], "begin");
    ASSERT_TRUE(is_timed_wait(items[2]));
    EXPECT_GE(text_value(items[2].substr(1)), 20);
    EXPECT_EQ(items[list.count()], "end");

    int spi_bytes = 0;
    std::string open_block;
    for (std::int32_t i = 1; i <= list.count(); ++i) {
        const std::string& word = items[static_cast<std::size_t>(i)];
        if (is_data_byte(word) || spi_words.count(word) != 0) {
            ++spi_bytes;
            continue;
        }
        ASSERT_TRUE(control_words.count(word) != 0 || is_timed_wait(word))
            << "instruction " << i << " '" << word << "'";
        EXPECT_EQ(spi_bytes % 4, 0)
            << "instruction " << i << " '" << word << "' cuts a four-byte instruction";
        if (word == "setflashloop" || word == "seteepromloop") {
            EXPECT_EQ(open_block, "") << "instruction " << i << " nests";
            open_block = "loop";
        } else if (word == "ifpage") {
            EXPECT_NE(open_block, "endifpage") << "instruction " << i << " nests";
            open_block = "endifpage";
        } else if (word == "endifpage") {
            EXPECT_EQ(open_block, word) << "instruction " << i;
            open_block = "loop";
        } else if (word == "loop") {
            EXPECT_EQ(open_block, word) << "instruction " << i;
            open_block = "";
        }
    }
    EXPECT_EQ(open_block, "");
}

TEST(shipped_device_list, EveryModelIsWellFormed) {
    const device_tables tables = load_devices(PELLANDOR_DEVICE_LIST);
    ASSERT_GE(tables.device_count, 1);
    std::set<std::string> names;
    for (std::int32_t index = 1; index <= tables.device_count; ++index) {
        selected_model model;
        model.model_index = index;
        select_model(tables, model);
        SCOPED_TRACE(model.model_name);
        EXPECT_TRUE(names.insert(model.model_name).second) << "listed twice";

        // FLASH word addresses are sent as 16 bits; pages tile the FLASH.
        EXPECT_GT(model.flash_size, 0);
        EXPECT_LE(model.flash_size / 2, 65536);
        ASSERT_GE(model.page_size, 1);
        EXPECT_EQ((model.flash_size / 2) % model.page_size, 0);
        EXPECT_GE(model.eeprom_size, 0);
        EXPECT_GE(model.programming_time, 5);

        const config_defaults& d = model.defaults;
        for (const std::int32_t byte :
             {d.default_lock, d.default_signature[0], d.default_signature[1],
              d.default_signature[2], d.default_fuses[0], d.default_fuses[1], d.default_fuses[2]}) {
            EXPECT_GE(byte, 0) << "configdefault field is not two hexadecimal digits";
        }
        EXPECT_EQ(d.default_signature[0], 0x1E);

        check_algorithm(model.model_name, "erase", model.erase_instr);
        check_algorithm(model.model_name, "program", model.program_instr);
        check_algorithm(model.model_name, "read", model.read_instr);
        check_algorithm(model.model_name, "blank check", model.blank_instr);
        check_algorithm(model.model_name, "verify", model.verify_instr);
    }
}

} // namespace
} // namespace pellandor
