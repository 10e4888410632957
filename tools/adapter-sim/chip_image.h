// The non-volatile contents of a simulated chip, and their file form: the
// flash bytes, the EEPROM bytes, then lock, low, high and extended fuse as the
// chip reads them back (a byte the model lacks is 0xFF).
#pragma once

#include "chip_model.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pellandor::adapter_sim {

struct chip_image {
    std::vector<std::uint8_t> flash;
    std::vector<std::uint8_t> eeprom;
    // Kept as read back: unimplemented bits are 1.
    std::uint8_t lock = 0xFF;
    std::array<std::uint8_t, 3> fuses{0xFF, 0xFF, 0xFF}; // low, high, extended
};

// A chip as it leaves the factory: every memory erased, the default fuses.
chip_image factory_image(const chip_model& model);

std::size_t state_size(const chip_model& model);
std::vector<std::uint8_t> state_bytes(const chip_image& image);
// Nothing when the length does not fit the model.
std::optional<chip_image> image_from_state(const chip_model& model,
                                           std::span<const std::uint8_t> bytes);

// The value a fuse or lock byte holds once written: unimplemented bits read 1.
inline std::uint8_t with_unused_bits_set(std::uint8_t value, std::uint8_t mask) {
    return static_cast<std::uint8_t>(value | ~mask);
}

} // namespace pellandor::adapter_sim
