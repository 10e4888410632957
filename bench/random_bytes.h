// Memory images full of data for the benchmarks: the same bytes at every run.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace pellandor::bench {

// Fills the buffer from a fixed seed, so that runs compare.
inline void fill_random(std::vector<std::uint8_t>& buffer, unsigned seed) {
    std::mt19937 random(seed);
    for (auto& byte : buffer) {
        byte = static_cast<std::uint8_t>(random());
    }
}

inline std::vector<std::uint8_t> random_bytes(std::size_t size, unsigned seed = 1) {
    std::vector<std::uint8_t> bytes(size);
    fill_random(bytes, seed);
    return bytes;
}

} // namespace pellandor::bench
