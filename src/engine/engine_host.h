// What the programming engine needs of the world outside the core: the serial
// control's output and receive threshold, the main window's status line and
// busy state, the message loop, a blocking sleep and a clock. The main window
// implements it; so do the tests and the engine probe.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "startup/message_box.h"

namespace pellandor {

class engine_host : public message_box_host {
public:
    // One byte to the adapter (the serial control's output). A byte the line
    // refuses means the port is gone: the host closes it and shows the
    // port's error, and port_ready() is false from then on.
    virtual void write_byte(std::uint8_t value) = 0;
    // Throws away whatever the adapter sent that has not been read, so that
    // it cannot be taken for the reply to the next command.
    virtual void discard_input() = 0;
    // Receive threshold: 1 = a receive event for arriving bytes, 0 = none.
    virtual void set_receive_threshold(int threshold) = 0;
    // One pass of the platform's message loop.
    virtual void yield() = 0;
    // Blocks the thread without yielding.
    virtual void sleep_ms(std::int32_t milliseconds) = 0;
    // The main window's status line.
    virtual void set_status(const std::string& text) = 0;
    // The busy state: menus and operation buttons off (disable) and on again.
    virtual void disable() = 0;
    virtual void enable() = 0;
    // Redraws the grids and the configuration fields from the memory image.
    virtual void updatedisplay() = 0;
    // Ends the program at once (after an unrecognised instruction).
    virtual void end_program() = 0;
    // Whether the serial port is open, and its number, for the start routines.
    virtual bool port_ready() const = 0;
    virtual std::int32_t port_number() const = 0;
    // Seconds on a steady clock; elapsed times are differences of two readings.
    // Counted from the first reading, so that the double keeps nanoseconds
    // however long the machine has been up.
    virtual double clock_seconds() const {
        using namespace std::chrono;
        static const steady_clock::time_point origin = steady_clock::now();
        return duration<double>(steady_clock::now() - origin).count();
    }
};

} // namespace pellandor
