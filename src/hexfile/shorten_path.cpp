#include "hexfile/shorten_path.h"

#include "startup/local_text.h"

namespace pellandor {

std::string shorten_path(const std::string& text) {
    constexpr std::size_t shown = 70;
    const std::size_t count = character_count(text);
    if (count <= shown) {
        return text;
    }
    return "... " + text.substr(character_offset(text, count - shown));
}

} // namespace pellandor
