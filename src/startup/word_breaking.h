// Long words of a message, such as file paths, broken where the message box
// can wrap them.
#pragma once

#include <string>
#include <string_view>

namespace pellandor {

// Drops one trailing CR LF, then breaks every word (cut at single spaces,
// within lines cut at CR LF) of more than 55 characters once: after its last
// folder separator (the platform's, given) among its first 55 characters, or
// when there is none, after its last "_" there. Characters are those of the
// local 8-bit encoding, never cut. Spaces and empty lines are kept as they are.
std::string break_long_words(std::string_view text, char separator);

} // namespace pellandor
