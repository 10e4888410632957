// The texts with which the open and save commands report to the main window,
// and how a chosen path splits into the folder kept for the next dialog and
// the file's own name.
#pragma once

#include <cstdint>
#include <string>

namespace pellandor {

// The status line after a file was read: the count and the same in kilobytes,
// cut to four characters ("1.5K", "2.92K", "0.5K", "8K").
std::string load_status_text(std::int32_t bytes_loaded);

inline constexpr const char* hex_not_loaded_text = "HEX file not loaded!";
inline constexpr const char* hex_saved_text = "HEX file saved.";
inline constexpr const char* hex_not_saved_text = "HEX file not saved!";

// The question asked before an existing file is replaced.
std::string overwrite_question(const std::string& path);

struct chosen_path {
    std::string folder; // up to and including the last separator
    std::string name;   // the rest
};

// A path from a file dialog split at its last separator; without one the
// folder is empty and the whole path is the name.
chosen_path split_chosen_path(const std::string& path, char separator);

} // namespace pellandor
