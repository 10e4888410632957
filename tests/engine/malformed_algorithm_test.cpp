#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine_fixture.h"

namespace pellandor {
namespace {

using bytes = std::vector<std::uint8_t>;

class MalformedAlgorithm : public testing::engine_fixture {
protected:
    // Runs the algorithm until it stops; the bytes that the stopping
    // instruction would have sent are the test's concern.
    void run(operation_kind kind, const std::vector<std::string>& words) {
        start(kind, words);
        run_to_end();
        eeprom_after = image.eeprom_buffer;
    }

    void expect_stopped_at(const std::string& word, const std::string& reason) {
        ASSERT_EQ(host.boxes.size(), 1U) << word;
        EXPECT_EQ(host.boxes[0].text, "The symbolic instruction '" + word +
                                          "' cannot be carried out: " + reason +
                                          ".\r\nThe operation is stopped.");
        EXPECT_EQ(host.boxes[0].kind, msgbox_error);
        EXPECT_EQ(host.boxes[0].title, "Quillmere Pellandor");
        EXPECT_EQ(host.statuses.back(), "Operation stopped.");
        // The chip is released before the box waits for the user: the end
        // command, whose reply runs nothing.
        const auto stopped =
            std::find(host.events.begin(), host.events.end(), "status Operation stopped.");
        ASSERT_TRUE(host.events.end() - stopped >= 3) << word;
        EXPECT_EQ(*(stopped + 1), "write CA");
        EXPECT_EQ(*(stopped + 2), "yield");
        EXPECT_EQ(host.written.back(), 0xCA);
        EXPECT_EQ(host.enables, 1);
        EXPECT_EQ(host.events.back(), "enable");
        EXPECT_EQ(host.thresholds.back(), 0);
        EXPECT_FALSE(engine.running());
        EXPECT_EQ(engine.instr_ptr(), engine.instr_count() + 1);
        EXPECT_FALSE(host.ended);
        // A late byte finds the interpreter idle.
        const std::size_t written = host.written.size();
        reply(2);
        EXPECT_EQ(host.written.size(), written);
        EXPECT_EQ(host.boxes.size(), 1U);
    }

    // What the algorithm sent before the stop released the chip.
    bytes sent_before_stop() const {
        return host.written.empty() ? bytes{} : bytes(host.written.begin(), host.written.end() - 1);
    }

    std::vector<std::uint8_t> eeprom_after;
};

TEST_F(MalformedAlgorithm, DataBytesThatAreNotHexadecimal) {
    run(operation_kind::program, {"begin", "sxy", "end"});
    EXPECT_EQ(sent_before_stop(), bytes{0xC9});
    expect_stopped_at("sxy", "the two characters after the s are not a hexadecimal byte");
}

TEST_F(MalformedAlgorithm, AStopInTheFirstStepLeavesTheInterpreterIdle) {
    run(operation_kind::program, {"s-l", "end"});
    EXPECT_TRUE(sent_before_stop().empty());
    EXPECT_EQ(engine.operation_mode(), "");
    expect_stopped_at("s-l", "the two characters after the s are not a hexadecimal byte");
}

TEST_F(MalformedAlgorithm, PageAddressesBelowZero) {
    run(operation_kind::program, {"begin", "s-lowpage"});
    EXPECT_EQ(sent_before_stop(), bytes{0xC9});
    expect_stopped_at("s-lowpage", "the address counter is 0, so there is no page below it");
}

TEST_F(MalformedAlgorithm, PageAddressHighByteBelowZero) {
    run(operation_kind::program, {"s-highpage"});
    EXPECT_TRUE(sent_before_stop().empty());
    expect_stopped_at("s-highpage", "the address counter is 0, so there is no page below it");
}

TEST_F(MalformedAlgorithm, AFinishedLoopHeadWithoutALaterLoop) {
    model.eeprom_size = 0; // the loop is finished at once
    run(operation_kind::program, {"begin", "seteepromloop", "s-eeprom", "end"});
    EXPECT_EQ(sent_before_stop(), bytes{0xC9});
    expect_stopped_at("seteepromloop", "no loop follows it");
}

TEST_F(MalformedAlgorithm, ALoopWithoutAHeadBeforeIt) {
    run(operation_kind::program, {"loop", "end"});
    EXPECT_TRUE(sent_before_stop().empty());
    expect_stopped_at("loop", "no loop head has run before it");
}

TEST_F(MalformedAlgorithm, AnIfpageThatSkipsWithoutALaterEndifpage) {
    run(operation_kind::program, {"begin", "ifpage", "s00"});
    EXPECT_EQ(sent_before_stop(), bytes{0xC9});
    expect_stopped_at("ifpage", "no endifpage follows it");
}

TEST_F(MalformedAlgorithm, PageSizesBelowOne) {
    model.page_size = 0;
    run(operation_kind::program, {"begin", "calcflash", "end"});
    EXPECT_EQ(sent_before_stop(), bytes{0xC9});
    EXPECT_EQ(engine.flash_end(), 511);
    expect_stopped_at("calcflash", "the model's page size is not 1 or more");
}

TEST_F(MalformedAlgorithm, IfpageWithANegativePageSize) {
    model.page_size = -4;
    run(operation_kind::program, {"ifpage", "endifpage", "end"});
    EXPECT_TRUE(sent_before_stop().empty());
    expect_stopped_at("ifpage", "the model's page size is not 1 or more");
}

TEST_F(MalformedAlgorithm, WaitsBelowZero) {
    run(operation_kind::program, {"begin", "w-1", "end"});
    EXPECT_TRUE(host.sleeps.empty());
    expect_stopped_at("w-1", "a wait cannot be shorter than 0 milliseconds");
}

TEST_F(MalformedAlgorithm, AProgrammingTimeBelowZero) {
    model.programming_time = -5;
    run(operation_kind::program, {"wprog", "end"});
    EXPECT_TRUE(host.sleeps.empty());
    expect_stopped_at("wprog", "a wait cannot be shorter than 0 milliseconds");
}

TEST_F(MalformedAlgorithm, ALockByteWithoutAValue) {
    image.lock_byte = -1;
    run(operation_kind::program, {"s-lock", "end"});
    EXPECT_TRUE(sent_before_stop().empty());
    EXPECT_TRUE(host.statuses.back() != "LOCK:");
    expect_stopped_at("s-lock", "the lock byte holds no byte value");
}

TEST_F(MalformedAlgorithm, AFlashLoopPastTheBufferStopsBeforeSendingOutside) {
    image.flash_buffer.resize(4); // smaller than the model says
    run(operation_kind::program, {"setflashloop", "s-flashl", "s-flashh", "loop", "end"});
    EXPECT_EQ(sent_before_stop(), (bytes{0xC8, 0xCB, 0xFF, 0xCB, 0xFF, 0xC8, 0xC8, 0xCB, 0xFF, 0xCB,
                                         0xFF, 0xC8, 0xC8}));
    EXPECT_EQ(engine.address_counter(), 2);
    expect_stopped_at("s-flashl", "the address counter 2 lies outside the FLASH buffer");
}

TEST_F(MalformedAlgorithm, CalcflashPastTheLastWordSendsNothingFromOutside) {
    model.flash_size = 96; // 48 words, not a whole number of 32-word pages
    reset_memory_image(image, model);
    image.flash_buffer[0x41] = 0x00;
    run(operation_kind::program,
        {"calcflash", "setflashloop", "s-flashl", "s-flashh", "loop", "end"});
    EXPECT_EQ(engine.flash_end(), 63);
    EXPECT_EQ(engine.address_counter(), 48);
    EXPECT_EQ(sent_before_stop().back(), 0xC8); // the loop head; no 0xCB for word 48
    expect_stopped_at("s-flashl", "the address counter 48 lies outside the FLASH buffer");
}

TEST_F(MalformedAlgorithm, EepromAccessOutsideTheBuffer) {
    model.eeprom_size = 2;
    reset_memory_image(image, model);
    run(operation_kind::read, {"eeprom=get", "eeprom=get", "eeprom=get", "end"});
    EXPECT_EQ(eeprom_after, (std::vector<std::uint8_t>{0x00, 0x00}));
    EXPECT_EQ(std::ranges::count(sent_before_stop(), 0xCC), 2);
    expect_stopped_at("eeprom=get", "the address counter 2 lies outside the EEPROM buffer");
}

TEST_F(MalformedAlgorithm, ComparisonsOutsideTheBuffers) {
    image.eeprom_buffer.clear();
    run(operation_kind::verify, {"temp=get", "checkeeprom", "end"});
    expect_stopped_at("checkeeprom", "the address counter 0 lies outside the EEPROM buffer");
    EXPECT_EQ(engine.error_count(), 0);
}

TEST_F(MalformedAlgorithm, FlashComparisonOutsideTheBuffer) {
    image.flash_buffer.resize(1);
    run(operation_kind::verify, {"temp=get", "checkflashh", "end"});
    expect_stopped_at("checkflashh", "the address counter 0 lies outside the FLASH buffer");
    EXPECT_EQ(sent_before_stop(), bytes{0xCC});
}

TEST_F(MalformedAlgorithm, BlankChecksOutsideTheBuffers) {
    run(operation_kind::blank,
        {"temp=get", "checkblankflashl", "checkblankflashh", "checkblankeeprom", "end"});
    EXPECT_EQ(engine.error_count(), 3);
    host.clear();
    image.flash_buffer.resize(1);
    run(operation_kind::blank, {"temp=get", "checkblankflashh", "end"});
    expect_stopped_at("checkblankflashh", "the address counter 0 lies outside the FLASH buffer");
    host.clear();
    image.eeprom_buffer.clear();
    run(operation_kind::blank, {"temp=get", "checkblankeeprom", "end"});
    expect_stopped_at("checkblankeeprom", "the address counter 0 lies outside the EEPROM buffer");
}

// The adapter answers every command, yet the loop would never end.
TEST_F(MalformedAlgorithm, ALoopWhoseBodyNeverAdvancesTheCounter) {
    run(operation_kind::program, {"setflashloop", "s-flashl", "loop", "end"});
    EXPECT_EQ(sent_before_stop(), (bytes{0xC8, 0xCB, 0xFF}));
    expect_stopped_at("loop", "the loop's body does not advance the address counter");
}

TEST_F(MalformedAlgorithm, ALoopThatWouldRestartAFinishedLoop) {
    model.flash_size = 4;
    run(operation_kind::program, {"setflashloop", "s-flashl", "s-flashh", "loop", "loop", "end"});
    EXPECT_EQ(std::ranges::count(sent_before_stop(), 0xCB), 4);
    expect_stopped_at("loop", "its loop has finished already");
}

TEST_F(MalformedAlgorithm, ALoopWithoutAHeadInItsOwnOperation) {
    start(operation_kind::program, {"setflashloop", "end"});
    run_to_end();
    host.clear();
    run(operation_kind::program, {"loop", "end"});
    EXPECT_TRUE(sent_before_stop().empty());
    expect_stopped_at("loop", "no loop head has run before it");
}

// After the 25th difference the run goes on at the last instruction, here the
// loop itself, without its pass having advanced the counter.
TEST_F(MalformedAlgorithm, TheTwentyFifthDifferenceMayLandOnALoop) {
    model.flash_size = 64;
    reset_memory_image(image, model);
    run(operation_kind::verify,
        {"setflashloop", "temp=get", "checkflashl", "temp=get", "checkflashh", "loop"});
    EXPECT_TRUE(host.boxes.size() == 1U && host.boxes[0].text.rfind("Chip verify failed:", 0) == 0)
        << (host.boxes.empty() ? "" : host.boxes[0].text);
    EXPECT_EQ(engine.error_count(), 65);
}

} // namespace
} // namespace pellandor
