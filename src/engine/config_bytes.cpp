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
    const std::size_t i = index_of(which);
    if (which == config_byte::lock) {
        return image.lock_byte;
    }
    if (which <= config_byte::sign2) {
        return image.signature_bytes[i - index_of(config_byte::sign0)];
    }
    return image.fuse_bytes[i - index_of(config_byte::fuse0)];
}

std::int32_t default_config_byte(const config_defaults& defaults, config_byte which) {
    const std::size_t i = index_of(which);
    if (which == config_byte::lock) {
        return defaults.default_lock;
    }
    if (which <= config_byte::sign2) {
        return defaults.default_signature[i - index_of(config_byte::sign0)];
    }
    return defaults.default_fuses[i - index_of(config_byte::fuse0)];
}

} // namespace pellandor
