// Case changes for the program's 8-bit texts. Only the ASCII letters change:
// every other byte may be part of a multi-byte character in the local
// encoding and is kept as it is.
#pragma once

#include <string>
#include <string_view>

namespace pellandor {

inline std::string lower_case(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

inline std::string upper_case(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return result;
}

} // namespace pellandor
