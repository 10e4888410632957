// The serial control as the port set-up sees it: a port number, a settings
// text, open and close. The platform's SerialControl implements it; tests use
// a scripted fake.
#pragma once

#include <cstdint>
#include <string>

namespace pellandor {

// The port numbers there are: COM1 to COM16.
inline constexpr std::int32_t first_com_port = 1;
inline constexpr std::int32_t last_com_port = 16;

class serial_port_control {
public:
    virtual ~serial_port_control() = default;
    // COM port number 1..16; takes effect at the next opening.
    virtual void set_comm_port(std::int32_t number) = 0;
    // "baud,n,8,1"; false when the text is refused as such (the port then
    // stays closed at the next opening).
    virtual bool set_settings(const std::string& settings) = 0;
    // PortOpen := true; false when the port cannot be opened.
    virtual bool open_port() = 0;
    // PortOpen := false; false when closing fails.
    virtual bool close_port() = 0;
    virtual bool is_open() const = 0;
};

} // namespace pellandor
