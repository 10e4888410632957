// The programming adapter: takes command bytes from the serial line, drives
// the chip's RESET and SPI pins and says what goes back on the line.
#pragma once

#include "avr_chip.h"

#include <array>
#include <cstdint>
#include <span>

namespace pellandor::adapter_sim {

// Deliberate misbehaviour, by command number counted from 1; 0 means never.
struct injected_faults {
    std::uint64_t stop_after = 0;  // no answer to any command after this one
    std::uint64_t drop_reply = 0;  // the first reply byte of this command is lost
    std::uint64_t extra_reply = 0; // one byte too many after this command's reply
};

struct adapter_reply {
    std::array<std::uint8_t, 3> bytes{};
    std::size_t size = 0;

    std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
    void push(std::uint8_t byte) { bytes[size++] = byte; }
};

class adapter {
public:
    // `notice` hears of the injected faults as they strike, so that whoever
    // drives the line can tell a silence it asked for from a slow machine.
    adapter(avr_chip& chip, injected_faults injected, fault_sink fault, fault_sink notice = {});

    // Takes one byte from the line; answers when it completes a command.
    adapter_reply receive(std::uint8_t byte, sim_time now);
    std::uint64_t commands() const { return commands_; }

private:
    adapter_reply complete(std::uint8_t command, std::uint8_t data, sim_time now);

    avr_chip& chip_;
    injected_faults injected_;
    fault_sink fault_;
    fault_sink notice_;
    bool awaiting_data_ = false;
    std::uint64_t commands_ = 0;
};

} // namespace pellandor::adapter_sim
