#include "engine/port_setup.h"

#include <utility>

#include "startup/letter_case.h"
#include "startup/message_box.h"
#include "startup/text_value.h"

namespace pellandor {

namespace {

constexpr const char* probe_settings = "9600,n,8,1";
constexpr const char* line_format = ",n,8,1";
constexpr double lowest_baud_rate = 1200;
constexpr double highest_baud_rate = 56000;

std::string port_text(std::int32_t number) {
    return "Serial port COM" + decimal_text(static_cast<std::int64_t>(number));
}

bool starts_with_com(std::string_view text) {
    return lower_case(text.substr(0, 3)) == "com";
}

} // namespace

std::optional<std::int32_t> parse_port_entry(std::string_view entry) {
    if (starts_with_com(entry)) {
        entry.remove_prefix(3);
    }
    // The range holds for the rounded number: 16.4 is port 16, 0.5 none.
    const std::int32_t number = round_half_even(text_value(entry));
    if (number < first_com_port || number > last_com_port) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::string> parse_baud_entry(std::string_view entry) {
    const double value = text_value(entry);
    if (value < lowest_baud_rate || value > highest_baud_rate) {
        return std::nullopt;
    }
    return decimal_text(value);
}

port_setup::port_setup(serial_port_control& control, settings_store& settings,
                       status_line set_status)
    : control_(control), settings_(settings), set_status_(std::move(set_status)) {}

void port_setup::scan_ports() {
    port_list_.clear();
    default_port_ = 2;
    for (std::int32_t number = first_com_port; number <= last_com_port; ++number) {
        if (test_port(number)) {
            if (!port_list_.empty()) {
                port_list_ += crlf;
            }
            port_list_ += "- " + port_text(number) + " available";
            default_port_ = number;
        }
    }
}

bool port_setup::test_port(std::int32_t number) {
    control_.set_comm_port(number);
    if (!control_.set_settings(probe_settings) || !control_.open_port()) {
        return false;
    }
    return control_.close_port();
}

void port_setup::open_port() {
    port_number_ = settings_.get_long_setting(setting::serial_port_number, default_port_);
    baud_rate_ = settings_.get_string_setting(setting::serial_port_baud_rate,
                                              setting_default::serial_port_baud_rate);
    port_ready_ = false;
    // A number stored by other means than the port command opens nothing.
    const bool known_port = port_number_ >= first_com_port && port_number_ <= last_com_port;
    if (known_port) {
        control_.set_comm_port(port_number_);
    }
    // A settings text the control refuses leaves the port closed; that shows
    // as a failed opening rather than leaving the previous status standing.
    if (known_port && control_.set_settings(baud_rate_ + line_format) && control_.open_port()) {
        set_status_(port_text(port_number_) + " ready...");
        port_ready_ = true;
    } else {
        set_status_(port_text(port_number_) + " error!");
    }
}

void port_setup::port_failed() {
    control_.close_port();
    port_ready_ = false;
    set_status_(port_text(port_number_) + " error!");
}

void port_setup::change_port_number(std::int32_t number) {
    control_.close_port();
    port_number_ = number;
    settings_.save_long_setting(setting::serial_port_number, port_number_);
    open_port();
}

void port_setup::change_baud_rate(const std::string& baud_rate) {
    control_.close_port();
    baud_rate_ = baud_rate;
    settings_.save_string_setting(setting::serial_port_baud_rate, baud_rate_);
    open_port();
}

std::string port_setup::port_prompt() const {
    return std::string("Please select programmer serial port number [1-16]:") + crlf + crlf +
           "The list of COM ports that can be opened:" + crlf + port_list_;
}

} // namespace pellandor
