// The serial port of the programming adapter: which of COM1 to COM16 can be
// opened at start, opening the chosen port at the chosen baud rate, and the
// readiness that the operations test before they start. Port number and baud
// rate are kept in the settings.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/serial_port_control.h"
#include "startup/settings_store.h"

namespace pellandor {

// The port of an entry such as "com3", "COM3", "Com 3" or "3": its number
// rounded to the nearest whole number, halves to even; nullopt when that is
// not 1 to 16. The caller treats an empty entry as no change beforehand.
std::optional<std::int32_t> parse_port_entry(std::string_view entry);

// The baud rate of an entry in its shortest decimal text; nullopt when it is
// not 1200 to 56000.
std::optional<std::string> parse_baud_entry(std::string_view entry);

class port_setup {
public:
    using status_line = std::function<void(const std::string&)>;

    port_setup(serial_port_control& control, settings_store& settings, status_line set_status);

    // Probes COM1 to COM16; makes port_list and default_port.
    void scan_ports();
    // Whether the port opens (and closes again) at the probe's settings.
    bool test_port(std::int32_t number);
    // Opens the stored port at the stored baud rate and shows the outcome.
    void open_port();
    // The open port stopped working (a write refused, the device gone): it is
    // closed, and the status line says so as for an opening that failed.
    void port_failed();

    // The two Options commands once their entry is read: close the port,
    // store the new value and open the port again.
    void change_port_number(std::int32_t number);
    void change_baud_rate(const std::string& baud_rate);

    // The prompt of the port command, with the list made at start.
    std::string port_prompt() const;

    std::int32_t port_number() const { return port_number_; }
    const std::string& baud_rate() const { return baud_rate_; }
    bool port_ready() const { return port_ready_; }
    const std::string& port_list() const { return port_list_; }
    std::int32_t default_port() const { return default_port_; }

private:
    serial_port_control& control_;
    settings_store& settings_;
    status_line set_status_;

    std::int32_t port_number_ = 0;
    std::string baud_rate_;
    bool port_ready_ = false;
    std::string port_list_;
    std::int32_t default_port_ = 2;
};

// The prompt of the baud rate command.
inline constexpr const char* baud_prompt = "Please select programmer baud rate [1200-56000].";

} // namespace pellandor
