// Program-wide facts fixed at start.
#pragma once

#include <string>

namespace pellandor {

inline constexpr const char* app_title = "Quillmere Pellandor";
inline constexpr float dialog_scale = 1.0F;

} // namespace pellandor
