// The state the whole program shares for its run: made by the program's
// entry and handed to the windows by reference.
#pragma once

#include <string>

#include "devices/device_list.h"
#include "devices/memory_image.h"
#include "devices/selected_model.h"
#include "themes/theme_table.h"

namespace pellandor {

struct program_state {
    std::string app_path; // the program's folder, separator at its end
    device_tables devices;
    selected_model model;
    memory_image image;
    theme_colors theme;
};

} // namespace pellandor
