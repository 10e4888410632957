#include "devices/selected_model.h"

#include "devices/device_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace pellandor {
namespace {

selected_model select_only(const device_record& record) {
    device_tables tables;
    tables.records.push_back(record);
    tables.device_count = 1;
    selected_model model;
    select_model(tables, model);
    return model;
}

selected_model with_sizes(std::string flash, std::string eeprom) {
    device_record record;
    record.device_flash = std::move(flash);
    record.device_eeprom = std::move(eeprom);
    return select_only(record);
}

config_defaults defaults_of(std::string configdefault) {
    device_record record;
    record.device_configdefault = std::move(configdefault);
    return select_only(record).defaults;
}

std::vector<std::string> instructions_of(const std::string& text) {
    const instruction_list list = make_instruction_list(text);
    EXPECT_EQ(list.count() + 1, static_cast<std::int32_t>(list.items.size()));
    EXPECT_EQ(list.items[0], "");
    return {list.items.begin() + 1, list.items.end()};
}

using texts = std::vector<std::string>;

TEST(SelectModel, NumbersRoundHalvesToEvenAndStopAtTheFirstNonDigit) {
    EXPECT_EQ(with_sizes("8.5", "9.5").flash_size, 8);
    EXPECT_EQ(with_sizes("8.5", "9.5").eeprom_size, 10);
    EXPECT_EQ(with_sizes("8192abc", "").flash_size, 8192);
    EXPECT_EQ(with_sizes("", "").flash_size, 0);
    EXPECT_EQ(with_sizes("", "none").eeprom_size, 0);
    EXPECT_EQ(with_sizes("&H2000", "").flash_size, 8192);

    device_record record;
    record.device_progtime = "4.5";
    record.device_pagesize = " 32 words";
    const selected_model model = select_only(record);
    EXPECT_EQ(model.programming_time, 4);
    EXPECT_EQ(model.page_size, 32);
}

TEST(SelectModel, HugeSizesAreHeldAtTheLimit) {
    EXPECT_EQ(with_sizes("1e12", "99999999999").flash_size, max_memory_size);
    EXPECT_EQ(with_sizes("1e12", "99999999999").eeprom_size, max_memory_size);
    EXPECT_EQ(with_sizes("-5", "-1e12").flash_size, -5);
}

TEST(SelectModel, TakesTheRecordOfItsIndex) {
    device_tables tables;
    tables.records.resize(3);
    tables.device_count = 2;
    tables.records[1].device_model = "first";
    tables.records[2].device_model = "second";
    tables.records[2].device_readalg = "A,B,C";
    selected_model model;
    model.model_index = 2;
    select_model(tables, model);
    EXPECT_EQ(model.model_index, 2);
    EXPECT_EQ(model.model_name, "second");
    EXPECT_EQ(model.read_instr.count(), 3);

    // A new selection replaces the lists, it does not add to them.
    model.model_index = 1;
    select_model(tables, model);
    EXPECT_EQ(model.model_name, "first");
    EXPECT_EQ(model.read_instr.count(), 1);
}

TEST(SelectModel, AnIndexOutsideTheTablesReadsAsAnEmptyRecord) {
    device_tables tables;
    tables.records.resize(2);
    tables.device_count = 1;
    tables.records[1].device_flash = "100";
    for (std::int32_t index : {0, 2, -1, 1000}) {
        selected_model model;
        model.model_index = index;
        model.flash_size = 77;
        select_model(tables, model);
        EXPECT_EQ(model.model_index, index);
        EXPECT_EQ(model.flash_size, 0);
        EXPECT_EQ(model.erase_instr.count(), 1);
        EXPECT_EQ(model.defaults.default_lock, -1);
    }
}

TEST(ConfigDefaults, SevenFieldsAtFixedPositions) {
    const config_defaults d = defaults_of("3F-1E-93-07-E1-D9-FD");
    EXPECT_EQ(d.default_lock, 0x3F);
    EXPECT_EQ(d.default_signature, (std::array<std::int32_t, 3>{0x1E, 0x93, 0x07}));
    EXPECT_EQ(d.default_fuses, (std::array<std::int32_t, 3>{0xE1, 0xD9, 0xFD}));
}

TEST(ConfigDefaults, CaseAndSeparatorsDoNotMatter) {
    const config_defaults upper = defaults_of("3F-1E-93-07-E1-D9-FD");
    for (const char* text : {"3f-1e-93-07-e1-d9-fd", "3F,1E,93,07,E1,D9,FD", "3F 1E 93 07 E1 D9 FD",
                             "3Fx1Ey93z07.E1:D9-FD trailing"}) {
        const config_defaults d = defaults_of(text);
        EXPECT_EQ(d.default_lock, upper.default_lock) << text;
        EXPECT_EQ(d.default_signature, upper.default_signature) << text;
        EXPECT_EQ(d.default_fuses, upper.default_fuses) << text;
    }
}

TEST(ConfigDefaults, ABadFieldGivesMinusOneForItselfOnly) {
    const config_defaults six_fields = defaults_of("3F-1E-93-07-E1-D9");
    EXPECT_EQ(six_fields.default_fuses, (std::array<std::int32_t, 3>{0xE1, 0xD9, -1}));
    EXPECT_EQ(six_fields.default_lock, 0x3F);

    EXPECT_EQ(defaults_of("3F-1E-93-07-E1-D9-F").default_fuses[2], -1);

    const config_defaults bad = defaults_of("3F-1G-9 -07-E1-D9-FD");
    EXPECT_EQ(bad.default_signature, (std::array<std::int32_t, 3>{-1, -1, 0x07}));
    EXPECT_EQ(bad.default_lock, 0x3F);
    EXPECT_EQ(bad.default_fuses[2], 0xFD);

    const config_defaults empty = defaults_of("");
    EXPECT_EQ(empty.default_lock, -1);
    EXPECT_EQ(empty.default_signature, (std::array<std::int32_t, 3>{-1, -1, -1}));
    EXPECT_EQ(empty.default_fuses, (std::array<std::int32_t, 3>{-1, -1, -1}));
}

TEST(InstructionList, EveryCommaEndsExactlyOneInstruction) {
    EXPECT_EQ(instructions_of("begin,s-AC,End"), (texts{"begin", "s-ac", "end"}));
    EXPECT_EQ(instructions_of("begin,end,"), (texts{"begin", "end"}));
    EXPECT_EQ(instructions_of("begin, s-ac ,end"), (texts{"begin", " s-ac ", "end"}));
    EXPECT_EQ(instructions_of("a,,b"), (texts{"a", "", "b"}));
    EXPECT_EQ(instructions_of("a,b,,"), (texts{"a", "b", ""}));
    EXPECT_EQ(instructions_of("W 10"), (texts{"w 10"}));
    EXPECT_EQ(instructions_of(""), (texts{""}));
    EXPECT_EQ(instructions_of(","), (texts{""}));
    EXPECT_EQ(instructions_of(",,"), (texts{"", ""}));
}

TEST(InstructionList, SelectionCutsAllFiveAlgorithms) {
    device_record record;
    record.device_erasealg = "E1,E2";
    record.device_programalg = "P1";
    record.device_readalg = "";
    record.device_blankcheckalg = "B1,B2,B3,";
    record.device_verifyalg = "V1, V2";
    const selected_model model = select_only(record);
    EXPECT_EQ(model.erase_instr.items, (texts{"", "e1", "e2"}));
    EXPECT_EQ(model.program_instr.items, (texts{"", "p1"}));
    EXPECT_EQ(model.read_instr.items, (texts{"", ""}));
    EXPECT_EQ(model.blank_instr.items, (texts{"", "b1", "b2", "b3"}));
    EXPECT_EQ(model.verify_instr.items, (texts{"", "v1", " v2"}));
}

} // namespace
} // namespace pellandor
