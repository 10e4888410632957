#include "hexfile/load_status.h"

#include "startup/text_value.h"

namespace pellandor {

std::string load_status_text(std::int32_t bytes_loaded) {
    const std::string kilobytes =
        decimal_text(static_cast<double>(bytes_loaded) / 1024).substr(0, 4);
    return "Operation completed. Total " + decimal_text(std::int64_t{bytes_loaded}) + " (" +
           kilobytes + "K) program bytes loaded.";
}

std::string overwrite_question(const std::string& path) {
    return "Do you want to overwrite file " + path + "?";
}

chosen_path split_chosen_path(const std::string& path, char separator) {
    const std::size_t last = path.rfind(separator);
    if (last == std::string::npos) {
        return {std::string(), path};
    }
    return {path.substr(0, last + 1), path.substr(last + 1)};
}

} // namespace pellandor
