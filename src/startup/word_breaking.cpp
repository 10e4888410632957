#include "startup/word_breaking.h"

namespace pellandor {

namespace {

constexpr std::size_t longest_line = 55;

// A word breaks once, after the last "\" among its first 55 characters, or
// failing that after the last "_" there; the rest is left as it is.
void append_word(std::string& result, std::string_view word) {
    if (word.size() > longest_line) {
        std::size_t cut = word.rfind('\\', longest_line - 1);
        if (cut == std::string_view::npos) {
            cut = word.rfind('_', longest_line - 1);
        }
        if (cut != std::string_view::npos) {
            result.append(word.substr(0, cut + 1));
            result.append("\r\n");
            word.remove_prefix(cut + 1);
        }
    }
    result.append(word);
}

} // namespace

std::string break_long_words(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    }
    std::string result;
    result.reserve(text.size() + text.size() / longest_line * 2);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        // Words end at a single space, at a CR LF pair and at the end of the
        // text; every separator goes back in as it was.
        std::size_t separator = 0;
        if (i == text.size()) {
            separator = 0;
        } else if (text[i] == ' ') {
            separator = 1;
        } else if (text.substr(i, 2) == "\r\n") {
            separator = 2;
        } else {
            ++i;
            continue;
        }
        append_word(result, text.substr(start, i - start));
        result.append(text.substr(i, separator));
        i += separator == 0 ? 1 : separator;
        start = i;
    }
    return result;
}

} // namespace pellandor
