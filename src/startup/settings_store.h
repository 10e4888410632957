// The settings kept between runs: named text and number values under the
// program's key. Readers take a default, which they also write back whenever
// the value is missing; nothing here ever reports an error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pellandor {

// Where the values live: the registry on Windows, an INI file elsewhere, a
// map in tests. Every call stands alone; failures read as missing values and
// lost writes.
class settings_backend {
public:
    virtual ~settings_backend() = default;
    // The stored bytes of a text value without its terminating NUL, whatever
    // their length; nullopt when missing.
    virtual std::optional<std::string> read_text(const std::string& name) = 0;
    // nullopt when missing or not a 32-bit whole number.
    virtual std::optional<std::int32_t> read_number(const std::string& name) = 0;
    virtual void write_text(const std::string& name, const std::string& value) = 0;
    virtual void write_number(const std::string& name, std::int32_t value) = 0;
};

// A stored text is read back only up to this many characters.
inline constexpr std::size_t max_setting_text = 254;

class settings_store {
public:
    explicit settings_store(settings_backend& backend) : backend_(backend) {}

    std::string get_string_setting(const std::string& name, const std::string& default_value);
    std::int32_t get_long_setting(const std::string& name, std::int32_t default_value);
    void save_string_setting(const std::string& name, const std::string& value);
    void save_long_setting(const std::string& name, std::int32_t value);

private:
    settings_backend& backend_;
};

// The names of the stored values, in one place.
namespace setting {
inline constexpr const char* last_path = "Last Path";
inline constexpr const char* microcontroller_model = "Microcontroller Model";
inline constexpr const char* serial_port_number = "Serial Port Number";
inline constexpr const char* serial_port_baud_rate = "Serial Port Baud Rate";
inline constexpr const char* color_theme = "Color Theme";
inline constexpr const char* mouse_wheel_enabled = "Mouse Wheel Enabled";
} // namespace setting

// Defaults that do not depend on the running program.
namespace setting_default {
inline constexpr const char* microcontroller_model = "1";
inline constexpr const char* serial_port_baud_rate = "56000";
inline constexpr const char* color_theme = "Original Lite";
inline constexpr std::int32_t mouse_wheel_enabled = 1;
} // namespace setting_default

} // namespace pellandor
