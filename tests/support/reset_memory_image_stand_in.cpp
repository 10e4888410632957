// A stand-in for reset_memory_image for the targets that link the engine
// while the devices library does not yet define it; remove it once it does.
#include <algorithm>

#include "devices/memory_image.h"
#include "devices/selected_model.h"

namespace pellandor {

[[gnu::weak]] void reset_memory_image(memory_image& image, const selected_model& model) {
    const auto fresh = [](std::int32_t size) {
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::max(size, 1)), 0);
        std::fill_n(buffer.begin(), std::max(size, 0), std::uint8_t{255});
        return buffer;
    };
    image.flash_buffer = fresh(model.flash_size);
    image.eeprom_buffer = fresh(model.eeprom_size);
    image.lock_byte = model.defaults.default_lock;
    image.signature_bytes = model.defaults.default_signature;
    image.fuse_bytes = model.defaults.default_fuses;
}

} // namespace pellandor
