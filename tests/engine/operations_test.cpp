#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "startup/text_value.h"

namespace pellandor {
namespace {

using events = std::vector<std::string>;

class Operations : public testing::engine_fixture {
protected:
    // Runs an operation whose list is only end, over the given seconds.
    std::string status_after(operation_kind kind, double seconds) {
        host.now = 1000.25;
        start(kind, {"end"});
        host.now += seconds;
        reply(1);
        return host.statuses.back();
    }
};

TEST_F(Operations, AClosedPortRefusesEveryStartAndChangesNothingElse) {
    host.open = false;
    host.port = 3;
    image.flash_buffer[0] = 0x12;
    for (const operation_kind kind :
         {operation_kind::program, operation_kind::read, operation_kind::erase,
          operation_kind::blank, operation_kind::verify}) {
        host.clear();
        start(kind, {"begin", "end"});
        EXPECT_EQ(host.events, events{"status Serial port 3 error!"});
        EXPECT_EQ(engine.operation_mode(), "");
    }
    EXPECT_EQ(image.flash_buffer[0], 0x12);
    reply(1); // still no operation has started
    EXPECT_EQ(host.events.size(), 1U);
}

TEST_F(Operations, EachOperationRunsItsOwnAlgorithm) {
    model.program_instr = testing::list_of({"s01"});
    model.read_instr = testing::list_of({"s02"});
    model.erase_instr = testing::list_of({"s03"});
    model.blank_instr = testing::list_of({"s04"});
    model.verify_instr = testing::list_of({"s05"});
    engine.program1_routine();
    engine.read1_routine();
    engine.erase1_routine();
    engine.blank1_routine();
    engine.verify1_routine();
    EXPECT_EQ(host.written,
              (std::vector<std::uint8_t>{0xCB, 1, 0xCB, 2, 0xCB, 3, 0xCB, 4, 0xCB, 5}));
    EXPECT_EQ(host.statuses,
              (std::vector<std::string>{"Begin program all.", "Begin read all.", "Begin erase all.",
                                        "Begin blank check.", "Begin verify."}));
    EXPECT_EQ(engine.operation_mode(), "verify");
}

TEST_F(Operations, TheNameIsSetOnlyOnceTheFirstStepHasReturned) {
    std::string mode_during_first_step = "unset";
    host.on_write = [&](std::uint8_t) {
        if (mode_during_first_step == "unset") {
            mode_during_first_step = engine.operation_mode();
        }
    };
    start(operation_kind::verify, {"begin", "end"});
    EXPECT_EQ(mode_during_first_step, "");
    EXPECT_EQ(engine.operation_mode(), "verify");
}

TEST_F(Operations, TheStartSetsTheEndAddressesFromTheModelsSizes) {
    start(operation_kind::program, {"end"});
    EXPECT_EQ(engine.flash_end(), 511);
    EXPECT_EQ(engine.eeprom_end(), 127);
    EXPECT_EQ(engine.address_counter(), 0);
    model.flash_size = 1025; // an odd size: half of it rounded to even
    model.eeprom_size = 0;
    start(operation_kind::program, {"end"});
    EXPECT_EQ(engine.flash_end(), 511);
    EXPECT_EQ(engine.eeprom_end(), -1);
    model.flash_size = 1027;
    start(operation_kind::program, {"end"});
    EXPECT_EQ(engine.flash_end(), 513);
}

TEST_F(Operations, CompletionShowsTheElapsedTimeWithHundredthsCut) {
    EXPECT_EQ(status_after(operation_kind::program, 7.5),
              "Chip programmed. 7.50 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::erase, 3), "Chip erased. 3.00 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::erase, 3.0625), "Chip erased. 3.06 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::program, 75.5),
              "Chip programmed. 75.50 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::blank, 0.125), "Chip is blank. 0.12 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::verify, 1.999),
              "Chip verified. 1.99 seconds elapsed...");
    // Whole hundredths read from the clock are not lost to binary fractions.
    EXPECT_EQ(status_after(operation_kind::program, 1.29),
              "Chip programmed. 1.29 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::program, 0.29),
              "Chip programmed. 0.29 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::program, 4.35),
              "Chip programmed. 4.35 seconds elapsed...");
    EXPECT_EQ(status_after(operation_kind::program, 1.289999),
              "Chip programmed. 1.28 seconds elapsed...");
}

TEST_F(Operations, EveryHundredthOfTheClockShowsAsItself) {
    for (int hundredths = 0; hundredths < 10000; ++hundredths) {
        const std::string expected = decimal_text(std::int64_t{hundredths / 100}) +
                                     (hundredths % 100 < 10 ? ".0" : ".") +
                                     decimal_text(std::int64_t{hundredths % 100});
        ASSERT_EQ(status_after(operation_kind::erase, hundredths / 100.0),
                  "Chip erased. " + expected + " seconds elapsed...");
    }
}

TEST_F(Operations, TheCompletionStepEnablesShowsTheResultAndLeavesTheEventOff) {
    start(operation_kind::erase, {"end"});
    host.clear();
    reply(1);
    EXPECT_EQ(host.events, (events{"threshold 0", "enable",
                                   "status Chip erased. 0.00 seconds elapsed...", "yield"}));
    EXPECT_EQ(engine.operation_mode(), "");
    EXPECT_EQ(engine.instr_ptr(), 2);
}

TEST_F(Operations, ReadAllShowsErasedBuffersWhileReadingAndTheChipAfterwards) {
    model.flash_size = 4;
    image.flash_buffer.assign(4, 0x00);
    image.lock_byte = 0x00;
    std::vector<std::vector<std::uint8_t>> shown;
    std::vector<std::int32_t> locks;
    host.on_updatedisplay = [&] {
        shown.push_back(image.flash_buffer);
        locks.push_back(image.lock_byte);
    };
    start(operation_kind::read, {"setflashloop", "flashl=get", "flashh=get", "loop", "end"});
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0], (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(locks[0], 0x3F);
    EXPECT_EQ(host.events[0], "disable");
    EXPECT_EQ(host.events[1], "status Begin read all.");
    run_to_end('\x5A');
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[1], (std::vector<std::uint8_t>{0x5A, 0x5A, 0x5A, 0x5A}));
    EXPECT_EQ(host.statuses.back(), "Chip read. 0.00 seconds elapsed...");
    EXPECT_EQ(host.events.back(), "yield");
}

TEST_F(Operations, BlankCheckAndVerifyReportTheirMismatchesInABox) {
    start(operation_kind::blank, {"temp=get", "checkblankflashl", "temp=get", "checkblankflashh",
                                  "temp=get", "checkblankeeprom", "end"});
    run_to_end('\x00');
    EXPECT_EQ(host.statuses.back(), "Chip is not blank. 0.00 seconds elapsed...");
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text, "Chip is not blank:\r\n\r\n"
                                  "Memory Location,   Read Value,   Expected,\r\n"
                                  "FLASH Word LB 000000h,   00h,   FFh,\r\n"
                                  "FLASH Word HB 000000h,   00h,   FFh,\r\n"
                                  "EEPROM Byte 0001h,   00h,   FFh,\r\n");
    EXPECT_EQ(host.boxes[0].kind, msgbox_error);
    EXPECT_EQ(host.boxes[0].title, "");
    EXPECT_EQ(host.events.back(), "yield");

    // The report lives on through other operations, and the next verify empties it.
    start(operation_kind::program, {"end"});
    run_to_end();
    EXPECT_EQ(engine.error_count(), 3);
    start(operation_kind::verify, {"temp=get", "checkflashl", "end"});
    run_to_end('\xFF');
    EXPECT_EQ(engine.error_count(), 0);
    EXPECT_EQ(engine.error_report(), "Memory Location,   Read Value,   Expected,\r\n");
    EXPECT_EQ(host.statuses.back(), "Chip verified. 0.00 seconds elapsed...");
    EXPECT_EQ(host.boxes.size(), 1U);
}

TEST_F(Operations, AListWithoutInstructionsIsNotStarted) {
    model.erase_instr = instruction_list{};
    engine.erase1_routine();
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].kind, msgbox_error);
    EXPECT_EQ(host.disables, 0);
    EXPECT_FALSE(engine.running());
}

TEST_F(Operations, AStartClickedDuringTheCompletionKeepsItsName) {
    start(operation_kind::program, {"end"});
    model.verify_instr = testing::list_of({"begin", "end"});
    bool clicked = false;
    host.on_yield = [&] {
        if (!clicked && host.enables > 0) {
            clicked = true;
            engine.verify1_routine();
        }
    };
    reply(1);
    ASSERT_TRUE(clicked);
    EXPECT_EQ(engine.operation_mode(), "verify");
    EXPECT_EQ(host.written.back(), 0xC9);
}

// The new start empties the report and notes its own start time; the
// finished verify must still report its own failure and its own time.
TEST_F(Operations, AStartClickedWhileTheWindowIsEnabledLeavesTheFinishedResultIntact) {
    host.now = 10;
    start(operation_kind::verify, {"temp=get", "checkflashl", "end"});
    model.verify_instr = testing::list_of({"begin", "end"});
    bool clicked = false;
    host.on_enable = [&] {
        if (!clicked) {
            clicked = true;
            host.now = 12.5;
            engine.verify1_routine();
        }
    };
    host.now = 12.5;
    engine.receive(std::string("\x00\x00\x00\x00", 4));
    ASSERT_TRUE(clicked);
    EXPECT_EQ(host.statuses.back(), "Chip verify failed. 2.50 seconds elapsed...");
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_EQ(host.boxes[0].text, "Chip verify failed:\r\n\r\n"
                                  "Memory Location,   Read Value,   Expected,\r\n"
                                  "FLASH Word LB 000000h,   00h,   FFh,\r\n");
    EXPECT_EQ(engine.operation_mode(), "verify");

    host.on_enable = nullptr;
    host.now = 13.75;
    run_to_end();
    EXPECT_EQ(host.statuses.back(), "Chip verified. 1.25 seconds elapsed...");
}

// The port can go away at any moment of an operation: a write the line
// refuses, or the serial control reporting the device gone. The operation
// stops at once, silently (the host shows the port's error), with the window
// usable and the buffers as they were; no late byte runs a step, and once
// the port is back the next operation starts afresh.
enum class port_loss { first_write, later_write, awaiting_reply, while_step_yields, begin_text };

struct port_loss_case {
    const char* name;
    port_loss when;
    std::size_t written; // bytes that went out before the operation stopped
};

class PortLoss : public Operations, public ::testing::WithParamInterface<port_loss_case> {};

TEST_P(PortLoss, StopsTheOperationAtOnceAndKeepsTheBuffers) {
    const port_loss when = GetParam().when;
    image.flash_buffer[3] = 0x5A;
    const memory_image before = image;
    const auto lose_port = [this] {
        host.open = false;
        engine.port_lost();
    };
    if (when == port_loss::first_write) {
        host.on_write = [this](std::uint8_t) { host.open = false; };
    } else if (when == port_loss::later_write) {
        host.on_write = [this](std::uint8_t value) { host.open = value != 0xCC; };
    } else if (when == port_loss::begin_text) {
        host.on_yield = [&] {
            host.on_yield = nullptr;
            lose_port();
        };
    }
    start(operation_kind::program, {"begin", "s20", "sign0=get", "s00", "end"});
    if (when != port_loss::first_write && when != port_loss::begin_text) {
        reply(1);
        if (when == port_loss::while_step_yields) {
            host.on_yield = [&] {
                host.on_yield = nullptr;
                lose_port();
            };
        }
        reply(1);
        if (when == port_loss::awaiting_reply) {
            ASSERT_TRUE(engine.running());
            lose_port();
        }
    }
    EXPECT_FALSE(engine.running());
    EXPECT_EQ(host.written.size(), GetParam().written);
    EXPECT_EQ(host.enables, 1);
    EXPECT_TRUE(host.thresholds.empty() || host.thresholds.back() == 0);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(image.flash_buffer == before.flash_buffer);
    EXPECT_EQ(image.signature_bytes, before.signature_bytes);
    const std::size_t written = host.written.size();
    reply(3);
    EXPECT_EQ(host.written.size(), written);
    EXPECT_EQ(host.enables, 1);

    host.on_write = nullptr;
    host.open = true;
    host.clear();
    start(operation_kind::program, {"begin", "end"});
    EXPECT_EQ(host.written, (std::vector<std::uint8_t>{0xC9}));
    EXPECT_EQ(engine.operation_mode(), "program");
}

INSTANTIATE_TEST_SUITE_P(
    Moments, PortLoss,
    ::testing::Values(port_loss_case{"FirstWrite", port_loss::first_write, 1},
                      port_loss_case{"LaterWrite", port_loss::later_write, 4},
                      port_loss_case{"AwaitingAReply", port_loss::awaiting_reply, 4},
                      port_loss_case{"WhileAStepYields", port_loss::while_step_yields, 4},
                      port_loss_case{"WhileTheBeginTextShows", port_loss::begin_text, 0}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

} // namespace
} // namespace pellandor
