#include "startup/app_path.h"

#include <algorithm>

namespace pellandor {

std::string make_app_path(std::string folder, char separator, bool lower_case) {
    if (folder.empty() || folder.back() != separator) {
        folder += separator;
    }
    if (lower_case) {
        std::transform(folder.begin(), folder.end(), folder.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
    }
    return folder;
}

} // namespace pellandor
