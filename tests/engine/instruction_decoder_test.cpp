#include "engine/instruction_decoder.h"

#include <gtest/gtest.h>

#include <limits>

namespace pellandor {
namespace {

TEST(InstructionDecoder, AnyThreeCharacterWordBeginningWithSIsADataByte) {
    EXPECT_EQ(decode_instruction("s30").op, opcode::data_byte);
    EXPECT_EQ(decode_instruction("s30").operand, 0x30);
    EXPECT_EQ(decode_instruction("sac").operand, 0xAC);
    EXPECT_EQ(decode_instruction("sAC").operand, 0xAC);
    // Malformed, but data bytes all the same, never unrecognised words.
    EXPECT_EQ(decode_instruction("sxy").op, opcode::data_byte);
    EXPECT_EQ(decode_instruction("sxy").operand, -1);
    EXPECT_EQ(decode_instruction("s-l").op, opcode::data_byte);
    EXPECT_EQ(decode_instruction("s-l").operand, -1);
    EXPECT_EQ(decode_instruction("s 1").operand, -1);
}

TEST(InstructionDecoder, WordsBeginningWithWAreWaitsExceptWprog) {
    EXPECT_EQ(decode_instruction("wprog").op, opcode::wprog);
    for (const char* zero : {"wprogx", "w", "wait", "w0"}) {
        EXPECT_EQ(decode_instruction(zero).op, opcode::wait) << zero;
        EXPECT_EQ(decode_instruction(zero).operand, 0) << zero;
    }
    EXPECT_EQ(decode_instruction("w10").operand, 10);
    EXPECT_EQ(decode_instruction("w2.5").operand, 2);
    EXPECT_EQ(decode_instruction("w3.5").operand, 4);
    EXPECT_EQ(decode_instruction("w-1").operand, -1);
    EXPECT_EQ(decode_instruction("w1e30").operand, std::numeric_limits<std::int32_t>::max());
}

TEST(InstructionDecoder, NamedWordsMatchOnlyWhole) {
    EXPECT_EQ(decode_instruction("s-flashl").op, opcode::s_flashl);
    EXPECT_EQ(decode_instruction("s-flashl ").op, opcode::unrecognised);
    EXPECT_EQ(decode_instruction(" end").op, opcode::unrecognised);
    EXPECT_EQ(decode_instruction("END").op, opcode::unrecognised);
    EXPECT_EQ(decode_instruction("").op, opcode::unrecognised);
    EXPECT_EQ(decode_instruction("xyz").op, opcode::unrecognised);
    EXPECT_EQ(decode_instruction("checkblankfuse2").op, opcode::checkblank_config);
    EXPECT_EQ(decode_instruction("checkblankfuse2").operand,
              static_cast<std::int32_t>(config_byte::fuse2));
    EXPECT_EQ(decode_instruction("sign1=get").operand,
              static_cast<std::int32_t>(config_byte::sign1));
    EXPECT_EQ(decode_instruction("s-lock").op, opcode::s_config);
}

TEST(InstructionDecoder, LoopHeadsAndPageBlocksKnowWhereTheirSkipLands) {
    instruction_list list;
    list.items.insert(list.items.end(), {"setflashloop", "ifpage", "s00", "endifpage", "loop",
                                         "seteepromloop", "ifpage", "end"});
    const std::vector<decoded_instruction> decoded = decode_instructions(list);
    ASSERT_EQ(decoded.size(), 9U);
    EXPECT_EQ(decoded[1].skip_target, 6); // after the loop at 5
    EXPECT_EQ(decoded[2].skip_target, 5); // after the endifpage at 4
    EXPECT_EQ(decoded[6].skip_target, 0); // no loop follows
    EXPECT_EQ(decoded[7].skip_target, 0); // no endifpage follows
}

} // namespace
} // namespace pellandor
