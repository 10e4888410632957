// The simulator's command line.
#pragma once

#include "adapter.h"

#include <optional>
#include <span>
#include <string>

namespace pellandor::adapter_sim {

struct sim_options {
    const chip_model* chip = nullptr;
    std::string link;       // a symbolic link to make to the pseudo-terminal
    std::string state_in;   // the chip image to start from; empty: a factory chip
    std::string state_out;  // where the chip image goes at exit
    std::uint64_t baud = 0; // 0: no wire time
    std::uint64_t latency_us = 0;
    injected_faults injected;
    bool list = false;
};

extern const char* const usage_text;

// The arguments after the program name; nothing, with `error` set, when they
// do not make a command line.
std::optional<sim_options> parse_options(std::span<const char* const> args, std::string& error);

} // namespace pellandor::adapter_sim
