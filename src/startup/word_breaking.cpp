#include "startup/word_breaking.h"

#include "startup/local_text.h"

namespace pellandor {

namespace {

constexpr std::size_t longest_line = 55;

// A word breaks once, after the last separator among its first 55
// characters, or failing that after the last "_" there; the rest is left as
// it is. Both marks are single bytes that never stand inside a character of
// several bytes, so the cut never splits one.
void append_word(std::string& result, std::string_view word, char separator) {
    const std::string_view first_line = word.substr(0, character_offset(word, longest_line));
    if (first_line.size() < word.size()) {
        std::size_t cut = first_line.rfind(separator);
        if (cut == std::string_view::npos) {
            cut = first_line.rfind('_');
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

std::string break_long_words(std::string_view text, char separator) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    }
    std::string result;
    result.reserve(text.size() + text.size() / longest_line * 2);
    std::size_t start = 0;
    std::size_t i = 0;
    while (i <= text.size()) {
        // Words end at a single space, at a CR LF pair and at the end of the
        // text; every gap between words goes back in as it was.
        std::size_t gap = 0;
        if (i == text.size()) {
            gap = 0;
        } else if (text[i] == ' ') {
            gap = 1;
        } else if (text.substr(i, 2) == "\r\n") {
            gap = 2;
        } else {
            ++i;
            continue;
        }
        append_word(result, text.substr(start, i - start), separator);
        result.append(text.substr(i, gap));
        i += gap == 0 ? 1 : gap;
        start = i;
    }
    return result;
}

} // namespace pellandor
