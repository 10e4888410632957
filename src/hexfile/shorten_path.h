// File names in the narrow file label of the main window.
#pragma once

#include <string>

namespace pellandor {

// The text itself when it has at most 70 characters, else "... " and its last
// 70 characters, since the end of a path names the file. Characters are those
// of the local 8-bit encoding, never cut.
std::string shorten_path(const std::string& text);

} // namespace pellandor
