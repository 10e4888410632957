#include "chip_image.h"

namespace pellandor::adapter_sim {

chip_image factory_image(const chip_model& model) {
    chip_image image;
    image.flash.assign(model.flash_bytes, 0xFF);
    image.eeprom.assign(model.eeprom_bytes, 0xFF);
    for (std::size_t i = 0; i < 3; ++i) {
        image.fuses[i] = with_unused_bits_set(model.fuse_defaults[i], model.fuse_masks[i]);
    }
    return image;
}

std::size_t state_size(const chip_model& model) {
    return std::size_t{model.flash_bytes} + model.eeprom_bytes + 4;
}

std::vector<std::uint8_t> state_bytes(const chip_image& image) {
    std::vector<std::uint8_t> bytes(image.flash);
    bytes.insert(bytes.end(), image.eeprom.begin(), image.eeprom.end());
    bytes.push_back(image.lock);
    bytes.insert(bytes.end(), image.fuses.begin(), image.fuses.end());
    return bytes;
}

std::optional<chip_image> image_from_state(const chip_model& model,
                                           std::span<const std::uint8_t> bytes) {
    if (bytes.size() != state_size(model)) {
        return std::nullopt;
    }
    chip_image image;
    const auto eeprom_start = bytes.begin() + model.flash_bytes;
    const auto config = eeprom_start + model.eeprom_bytes;
    image.flash.assign(bytes.begin(), eeprom_start);
    image.eeprom.assign(eeprom_start, config);
    image.lock = with_unused_bits_set(config[0], model.lock_mask);
    for (std::size_t i = 0; i < 3; ++i) {
        image.fuses[i] =
            with_unused_bits_set(config[static_cast<std::ptrdiff_t>(i) + 1], model.fuse_masks[i]);
    }
    return image;
}

} // namespace pellandor::adapter_sim
