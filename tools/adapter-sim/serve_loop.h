// Serving the adapter over the pseudo-terminal, at the pace of a real line.
#pragma once

#include "adapter.h"

#include <chrono>
#include <csignal>

namespace pellandor::adapter_sim {

struct line_timing {
    std::uint64_t baud = 0; // 0: bytes cost no time on the wire
    std::uint64_t latency_us = 0;
};

// Answers the bytes read from `fd` until `stop` is set; false when the line
// fails for good.
bool serve(int fd, adapter& adapter, line_timing timing,
           std::chrono::steady_clock::time_point start, const volatile std::sig_atomic_t& stop);

} // namespace pellandor::adapter_sim
