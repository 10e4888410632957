#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace pellandor {
namespace {

using bytes = std::vector<std::uint8_t>;
using events = std::vector<std::string>;

class AlgorithmStep : public testing::engine_fixture {};

TEST_F(AlgorithmStep, OneCommandPerReplyAndAReadStoresItsFirstReplyByte) {
    start(operation_kind::read, {"begin", "s20", "s-high", "s-low", "flashl=get", "end"});
    reply(4);
    EXPECT_EQ(host.written, (bytes{0xC9, 0xCB, 0x20, 0xCB, 0x00, 0xCB, 0x00, 0xCC}));
    host.clear();
    engine.receive("\xF0"); // the value read: stored, nothing sent
    EXPECT_TRUE(host.written.empty());
    EXPECT_EQ(image.flash_buffer[0], 0xF0);
    reply(1);
    EXPECT_EQ(host.written, bytes{0xCA});
}

TEST_F(AlgorithmStep, EveryStepTurnsTheReceiveEventOffAndOnAgain) {
    start(operation_kind::program, {"begin", "end"});
    // Whatever the adapter sent before is thrown away just before the first
    // command goes out.
    EXPECT_EQ(host.events, (events{"disable", "status Begin program all.", "yield", "discard",
                                   "threshold 0", "write C9", "yield", "threshold 1"}));
    host.clear();
    reply(1);
    EXPECT_EQ(host.events, (events{"threshold 0", "write CA", "yield", "threshold 1"}));
}

// The read is the first instruction here: its second run must store the
// value, not start the read afresh.
TEST_F(AlgorithmStep, AReadShowsProgressOnlyOnItsFirstRun) {
    start(operation_kind::read, {"lock=get", "temp=get", "end"});
    EXPECT_EQ(host.statuses.back(), "LOCK:");
    host.clear();
    engine.receive("\x9A");
    EXPECT_EQ(image.lock_byte, 0x9A);
    EXPECT_EQ(engine.get_phase(), 0);
    EXPECT_EQ(host.events, (events{"threshold 0", "threshold 1"}));
    reply(1); // temp=get shows no text at all
    EXPECT_TRUE(host.statuses.empty());
    EXPECT_EQ(engine.get_phase(), 1);
    EXPECT_EQ(engine.instr_ptr(), 2);
}

TEST_F(AlgorithmStep, TwoReplyBytesInOneInputRunTwoSteps) {
    start(operation_kind::read, {"lock=get", "end"});
    host.clear();
    engine.receive(std::string("\x12\x00", 2));
    EXPECT_EQ(image.lock_byte, 0x12);
    EXPECT_EQ(host.events, (events{"threshold 0", "threshold 1", "threshold 0", "write CA", "yield",
                                   "threshold 1"}));
}

TEST_F(AlgorithmStep, ProgressTextsCountBytesFromOneAgainstTheLoop) {
    model.flash_size = 512;
    model.eeprom_size = 64;
    start(operation_kind::read, {"setflashloop", "flashl=get", "flashh=get", "loop",
                                 "seteepromloop", "eeprom=get", "loop"});
    reply(1);
    EXPECT_EQ(host.statuses.back(), "F:1/512");
    reply(2);
    EXPECT_EQ(host.statuses.back(), "F:2/512");
    while (engine.instr_ptr() != 6) {
        reply(1);
    }
    reply(1);
    EXPECT_EQ(host.statuses.back(), "E:1/64");
}

TEST_F(AlgorithmStep, AFlashLoopMakesOnePassPerWordAndLeavesTheCounterAtZero) {
    model.flash_size = 64;
    for (std::size_t i = 0; i < image.flash_buffer.size(); ++i) {
        image.flash_buffer[i] = static_cast<std::uint8_t>(i);
    }
    start(operation_kind::program, {"setflashloop", "s-flashl", "s-flashh", "loop", "end"});
    bytes expected;
    for (std::uint8_t word = 0; word < 32; ++word) {
        expected.insert(expected.end(), {0xC8, 0xCB, static_cast<std::uint8_t>(2 * word), 0xCB,
                                         static_cast<std::uint8_t>(2 * word + 1), 0xC8});
    }
    expected.insert(expected.end(), {0xC8, 0xCA});
    run_to_end();
    EXPECT_EQ(host.written, expected);
    EXPECT_EQ(engine.address_counter(), 0);
}

TEST_F(AlgorithmStep, APageBlockRunsAfterEveryFullPageNeverAtZero) {
    model.flash_size = 256;
    for (std::size_t i = 0; i < image.flash_buffer.size(); ++i) {
        image.flash_buffer[i] = static_cast<std::uint8_t>(i);
    }
    start(operation_kind::program, {"setflashloop", "s-flashl", "s-flashh", "ifpage", "s-lowpage",
                                    "s-highpage", "endifpage", "loop", "end"});
    bytes expected;
    for (int word = 0; word < 128; ++word) {
        expected.insert(expected.end(), {0xC8, 0xCB, static_cast<std::uint8_t>(2 * word), 0xCB,
                                         static_cast<std::uint8_t>(2 * word + 1), 0xC8});
        if ((word + 1) % 32 == 0) {
            expected.insert(expected.end(),
                            {0xCB, static_cast<std::uint8_t>(word), 0xCB, 0x00, 0xC8});
        }
        expected.push_back(0xC8);
    }
    expected.insert(expected.end(), {0xC8, 0xCA});
    run_to_end();
    EXPECT_EQ(host.written, expected);
}

TEST_F(AlgorithmStep, CalcflashEndsTheLoopAtTheLastPageHoldingData) {
    start(operation_kind::program, {"calcflash", "calcflash", "end"});
    EXPECT_EQ(engine.flash_end(), 31);
    EXPECT_EQ(host.written, bytes{0xC8});
    image.flash_buffer[0x41] = 0x00;
    reply(1);
    EXPECT_EQ(engine.flash_end(), 63);
    image.flash_buffer[0x3FF] = 0x00; // the model's last byte
    start(operation_kind::program, {"calcflash", "end"});
    EXPECT_EQ(engine.flash_end(), 511);
}

TEST_F(AlgorithmStep, CalcflashOfAnErasedBufferCoversTheFirstPageWhateverItsSize) {
    model.page_size = 1;
    start(operation_kind::program, {"calcflash", "end"});
    EXPECT_EQ(engine.flash_end(), 0);
    model.page_size = 7;
    start(operation_kind::program, {"calcflash", "end"});
    EXPECT_EQ(engine.flash_end(), 6);
}

// The in-place editor stays live while an operation runs, so a byte edited
// during the progress text's yield is the byte that goes out or is compared.
TEST_F(AlgorithmStep, BytesAreTakenFromTheImageAfterTheProgressYield) {
    host.on_yield = [&] {
        if (!host.statuses.empty() && host.statuses.back().rfind("F:", 0) == 0) {
            image.flash_buffer[0] = 0x5A;
        }
        if (!host.statuses.empty() && host.statuses.back() == "LOCK:") {
            image.lock_byte = 0x12;
        }
    };
    start(operation_kind::program, {"s-flashl", "s-lock", "end"});
    reply(1);
    EXPECT_EQ(host.written, (bytes{0xCB, 0x5A, 0xCB, 0x12}));

    image.flash_buffer[0] = 0xFF;
    image.lock_byte = 0x3F;
    start(operation_kind::verify, {"temp=get", "checkflashl", "temp=get", "checklock", "end"});
    engine.receive(std::string("\x5A\x00\x00\x12\x00\x00", 6));
    run_to_end();
    EXPECT_EQ(engine.error_count(), 0) << engine.error_report();
}

TEST_F(AlgorithmStep, CalceepromFindsTheLastProgrammedByte) {
    start(operation_kind::program, {"calceeprom", "calceeprom", "end"});
    EXPECT_EQ(engine.eeprom_end(), -1);
    image.eeprom_buffer[5] = 0x00;
    reply(1);
    EXPECT_EQ(engine.eeprom_end(), 5);
    // The one element a model without EEPROM keeps is no EEPROM byte.
    model.eeprom_size = 0;
    reset_memory_image(image, model);
    start(operation_kind::program, {"calceeprom", "end"});
    EXPECT_EQ(engine.eeprom_end(), -1);
}

TEST_F(AlgorithmStep, WaitsBlockWithoutYieldingThenStep) {
    start(operation_kind::program, {"wprog", "end"});
    EXPECT_EQ(host.events, (events{"disable", "status Begin program all.", "yield", "discard",
                                   "threshold 0", "sleep 5", "write C8", "yield", "threshold 1"}));
    start(operation_kind::program, {"w", "wprogx", "wait", "w0", "w2.5", "w3.5", "w10", "end"});
    reply(6);
    EXPECT_EQ(host.sleeps, (std::vector<std::int32_t>{5, 0, 0, 0, 0, 2, 4, 10}));
}

TEST_F(AlgorithmStep, DataBytesOfEitherCase) {
    start(operation_kind::program, {"sAC", "sac", "s0f", "end"});
    reply(2);
    EXPECT_EQ(host.written, (bytes{0xCB, 0xAC, 0xCB, 0xAC, 0xCB, 0x0F}));
}

TEST_F(AlgorithmStep, ABytePrecedingEveryOperationDrivesNothing) {
    engine.receive(std::string("\x00\xC8", 2));
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(engine.operation_mode(), "");
}

TEST_F(AlgorithmStep, AByteAfterCompletionOnlyTurnsTheEventOff) {
    start(operation_kind::erase, {"end"});
    reply(1);
    ASSERT_FALSE(engine.running());
    host.clear();
    reply(3);
    EXPECT_EQ(host.events, (events{"threshold 0", "threshold 0", "threshold 0"}));
}

TEST_F(AlgorithmStep, AnUnrecognisedWordEndsTheProgramAfterItsBox) {
    start(operation_kind::program, {"begin", "xyz", "end"});
    host.clear();
    reply(3); // the two further bytes find the program ended
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text,
              "Unrecognized symbolic instruction 'xyz'.\r\nThe program must end.");
    EXPECT_EQ(host.boxes[0].kind, msgbox_error);
    EXPECT_EQ(host.boxes[0].title, "Quillmere Pellandor");
    // The chip is released before the program ends with it in mid-instruction.
    EXPECT_EQ(host.events, (events{"threshold 0", "write CA", "yield", "box", "end_program"}));
    EXPECT_TRUE(host.ended);
    EXPECT_TRUE(engine.program_ended());
}

TEST_F(AlgorithmStep, AWordWithABlankIsUnrecognised) {
    start(operation_kind::program, {"s-flashl "});
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text,
              "Unrecognized symbolic instruction 's-flashl '.\r\nThe program must end.");
    EXPECT_EQ(engine.operation_mode(), "");
}

TEST_F(AlgorithmStep, AnEmptyInstructionIsUnrecognised) {
    start(operation_kind::program, {"begin", "", "end"});
    reply(1);
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text, "Unrecognized symbolic instruction ''.\r\nThe program must end.");
    EXPECT_EQ(host.thresholds.back(), 0);
}

} // namespace
} // namespace pellandor
