// The program's copy of a chip: FLASH and EEPROM buffers sized for the
// selected model, and the lock, signature and fuse bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pellandor {

struct selected_model;

struct memory_image {
    // One element per byte, indexed by byte address; 255 is erased. FLASH word
    // w is the pair (2w low byte, 2w + 1 high byte).
    std::vector<std::uint8_t> flash_buffer;
    std::vector<std::uint8_t> eeprom_buffer;
    // 0..255, or -1 when copied from a model default that was not hexadecimal.
    std::int32_t lock_byte = 0;
    std::array<std::int32_t, 3> signature_bytes{}; // bytes 0, 1, 2
    std::array<std::int32_t, 3> fuse_bytes{};      // low, high, extended
};

// Makes the image anew for the model: every byte below the model's size 255,
// the configuration bytes at the model's defaults. A buffer never has fewer
// than one element (a model without EEPROM, or without a usable FLASH size,
// gets one element holding 0).
void reset_memory_image(memory_image& image, const selected_model& model);

} // namespace pellandor
