// Serving the adapter over the pseudo-terminal, at the pace of a real line.
#pragma once

#include "adapter.h"

#include <chrono>
#include <csignal>
#include <cstdint>

namespace pellandor::adapter_sim {

struct line_timing {
    std::uint64_t baud = 0; // 0: bytes cost no time on the wire
    std::uint64_t latency_us = 0;
};

// What the simulator's signals ask of the line, set from their handlers:
// to end the service, and to send one byte that no command asked for (line
// noise, an adapter just plugged in), a request that sending clears.
struct line_requests {
    volatile std::sig_atomic_t stop = 0;
    volatile std::sig_atomic_t unasked = 0;
};

// The byte sent unasked.
inline constexpr std::uint8_t unasked_byte = 0x55;

// Answers the bytes read from `fd` until a stop is requested; false when the
// line fails for good. `notice` hears of every byte sent unasked, with the
// count so far.
bool serve(int fd, adapter& adapter, line_timing timing,
           std::chrono::steady_clock::time_point start, line_requests& requests,
           const fault_sink& notice);

} // namespace pellandor::adapter_sim
