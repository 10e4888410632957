#include "hexfile/shorten_path.h"

namespace pellandor {

std::string shorten_path(const std::string& text) {
    constexpr std::size_t shown = 70;
    if (text.size() <= shown) {
        return text;
    }
    return "... " + text.substr(text.size() - shown);
}

} // namespace pellandor
