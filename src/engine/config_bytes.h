// The seven configuration bytes as the instructions name them: the lock
// byte, three signature bytes and three fuse bytes.
#pragma once

#include <cstdint>

#include "devices/memory_image.h"
#include "devices/selected_model.h"

namespace pellandor {

enum class config_byte : std::int32_t { lock, sign0, sign1, sign2, fuse0, fuse1, fuse2 };

// "LOCK:", "SIGN0:" .. "FUSE2:"
const char* config_progress_text(config_byte which);
// "LOCK BIT BYTE", "SIGNATURE BYTE 0" .. "FUSE EXTENDED BYTE"
const char* config_location_text(config_byte which);
// "lock byte", "signature byte 0" .. "extended fuse byte"
const char* config_byte_name(config_byte which);

std::int32_t& image_config_byte(memory_image& image, config_byte which);
std::int32_t default_config_byte(const config_defaults& defaults, config_byte which);

} // namespace pellandor
