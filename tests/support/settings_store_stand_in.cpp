// Weak stand-ins for the settings store's readers and writers, so that these
// tests link before the store's own definitions are in the core library; the
// library's definitions take precedence once they are.
#include "startup/settings_store.h"

namespace pellandor {

[[gnu::weak]] std::string settings_store::get_string_setting(const std::string& name,
                                                             const std::string& default_value) {
    if (const auto value = backend_.read_text(name)) {
        return value->substr(0, max_setting_text);
    }
    backend_.write_text(name, default_value);
    return default_value;
}

[[gnu::weak]] std::int32_t settings_store::get_long_setting(const std::string& name,
                                                            std::int32_t default_value) {
    if (const auto value = backend_.read_number(name)) {
        return *value;
    }
    backend_.write_number(name, default_value);
    return default_value;
}

[[gnu::weak]] void settings_store::save_string_setting(const std::string& name,
                                                       const std::string& value) {
    backend_.write_text(name, value);
}

[[gnu::weak]] void settings_store::save_long_setting(const std::string& name, std::int32_t value) {
    backend_.write_number(name, value);
}

} // namespace pellandor
