#include "startup/local_text.h"

namespace pellandor {

namespace {

// A character begins at the first byte and at every byte that does not
// continue the one before it. A continuing byte that no leading byte called
// for, which is not valid UTF-8, simply stays with the character before it.
bool begins_character(std::string_view text, std::size_t at) {
#ifdef _WIN32
    (void)text;
    (void)at;
    return true;
#else
    return at == 0 || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
#endif
}

} // namespace

std::size_t character_count(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (begins_character(text, at)) {
            ++count;
        }
    }
    return count;
}

std::size_t character_offset(std::string_view text, std::size_t index) {
    std::size_t begun = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (begins_character(text, at)) {
            if (begun == index) {
                return at;
            }
            ++begun;
        }
    }
    return text.size();
}

} // namespace pellandor
