#include "engine/config_bytes.h"

#include <array>
#include <cstddef>

namespace pellandor {

namespace {

constexpr std::array<const char*, 7> progress_texts{
    "LOCK:", "SIGN0:", "SIGN1:", "SIGN2:", "FUSE0:", "FUSE1:", "FUSE2:"};
constexpr std::array<const char*, 7> location_texts{
    "LOCK BIT BYTE", "SIGNATURE BYTE 0", "SIGNATURE BYTE 1",  "SIGNATURE BYTE 2",
    "FUSE LOW BYTE", "FUSE HIGH BYTE",   "FUSE EXTENDED BYTE"};
constexpr std::array<const char*, 7> names{
    "lock byte",     "signature byte 0", "signature byte 1",  "signature byte 2",
    "low fuse byte", "high fuse byte",   "extended fuse byte"};

std::size_t index_of(config_byte which) {
    return static_cast<std::size_t>(which);
}

// The image and the model's defaults lay the seven bytes out alike.
template <typename Byte, typename Three>
Byte& pick(Byte& lock_byte, Three& signature, Three& fuses, config_byte which) {
    if (which == config_byte::lock) {
        return lock_byte;
    }
    if (which <= config_byte::sign2) {
        return signature[index_of(which) - index_of(config_byte::sign0)];
    }
    return fuses[index_of(which) - index_of(config_byte::fuse0)];
}

} // namespace

const char* config_progress_text(config_byte which) {
    return progress_texts[index_of(which)];
}
const char* config_location_text(config_byte which) {
    return location_texts[index_of(which)];
}
const char* config_byte_name(config_byte which) {
    return names[index_of(which)];
}

std::int32_t& image_config_byte(memory_image& image, config_byte which) {
    return pick(image.lock_byte, image.signature_bytes, image.fuse_bytes, which);
}

std::int32_t default_config_byte(const config_defaults& defaults, config_byte which) {
    return pick(defaults.default_lock, defaults.default_signature, defaults.default_fuses, which);
}

} // namespace pellandor
