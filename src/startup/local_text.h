// Where the characters of a text in the local 8-bit encoding begin, so that
// lengths the user sees count characters and a cut never splits one: UTF-8
// outside Windows, where a character takes one to four bytes, and the ANSI
// code page on Windows, one byte a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace pellandor {

// How many characters the text holds.
std::size_t character_count(std::string_view text);

// The byte at which character `index` (counted from 0) begins, or the size of
// the text when it holds no more characters than that: the first `index`
// characters are text.substr(0, character_offset(text, index)).
std::size_t character_offset(std::string_view text, std::size_t index);

} // namespace pellandor
