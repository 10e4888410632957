#include "devices/memory_image.h"

#include "devices/selected_model.h"

namespace pellandor {

namespace {

// A size of 0 or less still gets one element, holding 0, so that every
// reader of element 0 finds one.
void make_buffer(std::vector<std::uint8_t>& buffer, std::int32_t size) {
    if (size > 0) {
        buffer.assign(static_cast<std::size_t>(size), 255);
    } else {
        buffer.assign(1, 0);
    }
}

} // namespace

void reset_memory_image(memory_image& image, const selected_model& model) {
    make_buffer(image.flash_buffer, model.flash_size);
    make_buffer(image.eeprom_buffer, model.eeprom_size);
    image.lock_byte = model.defaults.default_lock;
    image.signature_bytes = model.defaults.default_signature;
    image.fuse_bytes = model.defaults.default_fuses;
}

} // namespace pellandor
