#include "startup/settings_store.h"

namespace pellandor {

std::string settings_store::get_string_setting(const std::string& name,
                                               const std::string& default_value) {
    if (const auto stored = backend_.read_text(name)) {
        // Too long a text is left stored as it is: it may be someone's data,
        // and the caller gets the default either way.
        return stored->size() <= max_setting_text ? *stored : default_value;
    }
    backend_.write_text(name, default_value);
    return default_value;
}

std::int32_t settings_store::get_long_setting(const std::string& name, std::int32_t default_value) {
    if (const auto stored = backend_.read_number(name)) {
        return *stored;
    }
    backend_.write_number(name, default_value);
    return default_value;
}

void settings_store::save_string_setting(const std::string& name, const std::string& value) {
    backend_.write_text(name, value);
}

void settings_store::save_long_setting(const std::string& name, std::int32_t value) {
    backend_.write_number(name, value);
}

} // namespace pellandor
