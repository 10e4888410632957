// Whole files in and out, byte for byte: one character of text is one byte of
// the file, and line ends are whatever the text holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellandor {

// The file's whole content; nullopt when it is no regular file (a symbolic
// link to one is) or cannot be opened or read.
std::optional<std::string> read_whole_file(const std::string& path);

// Writes the text to a new file beside the target and renames it over the
// target only once it is complete, so that a full disk or a missing right never
// leaves a truncated file or destroys the earlier one. Gives the message for
// the user when the file could not be written, nothing when it was.
std::optional<std::string> write_text_file_atomically(const std::string& path,
                                                      std::string_view text);

} // namespace pellandor
