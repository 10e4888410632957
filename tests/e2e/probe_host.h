// The engine's host for programs that drive a real port without windows: the
// engine probe of the end-to-end tests and the benchmarks. Status texts and
// message boxes go to a stream, one line each.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "engine/programming_engine.h"
#include "platform/event_yield.h"

namespace pellandor {

class SerialControl;

// What one operation cost on the wire and in the program.
struct probe_counters {
    std::uint64_t commands = 0; // 0xCB and its data byte count as one
    std::uint64_t bytes_out = 0;
    std::uint64_t bytes_in = 0;
    std::uint64_t receive_events = 0;
    double handler_seconds = 0; // inside the receive handler, waits excluded
    double sleep_seconds = 0;   // the algorithm's own waits
};

enum class probe_outcome { completed, refused, timed_out, ended };

class probe_host final : public engine_host {
public:
    probe_host(SerialControl& serial, std::int32_t com_number, std::ostream& out);

    void write_byte(std::uint8_t value) override;
    void discard_input() override;
    void set_receive_threshold(int threshold) override;
    void yield() override;
    void sleep_ms(std::int32_t milliseconds) override;
    void set_status(const std::string& text) override;
    void disable() override {}
    void enable() override {}
    void updatedisplay() override {}
    void end_program() override { ended_ = true; }
    bool port_ready() const override;
    std::int32_t port_number() const override { return com_number_; }
    int my_msgbox(const std::string& text, int kind, const std::string& title) override;

    // Starts the operation and serves the port until the engine is idle again,
    // the program was ended, or no byte arrived for timeout_seconds.
    probe_outcome run(programming_engine& engine, operation_kind kind, double timeout_seconds);

    const probe_counters& counters() const { return counters_; }
    void reset_counters() { counters_ = {}; }
    // Keeps a copy of every byte written, for replaying the run without the program.
    void record_output(std::vector<std::uint8_t>* bytes) { recording_ = bytes; }

private:
    SerialControl& serial_;
    std::int32_t com_number_;
    std::ostream& out_;
    bool ended_ = false;
    bool data_byte_next_ = false;
    probe_counters counters_;
    std::vector<std::uint8_t>* recording_ = nullptr;
    event_yield yield_;
};

// CR LF pairs as the two characters backslash and n, so a text stays one line.
std::string one_line(const std::string& text);

} // namespace pellandor
