#include "probe_host.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

#include "platform/serial_control.h"

namespace pellandor {

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

std::string one_line(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += "\\n";
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

probe_host::probe_host(SerialControl& serial, std::int32_t com_number, std::ostream& out)
    : serial_(serial), com_number_(com_number), out_(out) {}

void probe_host::write_byte(std::uint8_t value) {
    if (!serial_.output(value) && serial_.is_open()) {
        serial_.close_port();
        set_status("Serial port COM" + std::to_string(com_number_) + " error!");
    }
    ++counters_.bytes_out;
    if (data_byte_next_) {
        data_byte_next_ = false;
    } else {
        ++counters_.commands;
        data_byte_next_ = value == adapter_command::data;
    }
    if (recording_ != nullptr) {
        recording_->push_back(value);
    }
}

void probe_host::discard_input() {
    serial_.discard_input();
}

void probe_host::set_receive_threshold(int threshold) {
    serial_.set_rthreshold(threshold);
}

void probe_host::yield() {
    yield_();
}

void probe_host::sleep_ms(std::int32_t milliseconds) {
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    counters_.sleep_seconds += seconds_since(start);
}

void probe_host::set_status(const std::string& text) {
    out_ << "status: " << one_line(text) << '\n';
}

bool probe_host::port_ready() const {
    return serial_.is_open();
}

int probe_host::my_msgbox(const std::string& text, int kind, const std::string&) {
    out_ << "box " << kind << ": " << one_line(text) << '\n';
    return kind == msgbox_yes_no ? msgbox_yes : msgbox_ok;
}

probe_outcome probe_host::run(programming_engine& engine, operation_kind kind,
                              double timeout_seconds) {
    ended_ = false;
    if (!port_ready()) {
        engine.start_operation(kind); // only shows the port's error
        return probe_outcome::refused;
    }
    QEventLoop loop;
    auto last_arrival = std::chrono::steady_clock::now();
    bool timed_out = false;
    auto finished = [&] { return ended_ || !engine.running(); };

    const auto connection = QObject::connect(&serial_, &SerialControl::on_comm, &loop, [&] {
        const std::string input = serial_.input();
        if (input.empty()) {
            return;
        }
        last_arrival = std::chrono::steady_clock::now();
        counters_.bytes_in += input.size();
        ++counters_.receive_events;
        const double slept = counters_.sleep_seconds;
        engine.receive(input);
        counters_.handler_seconds +=
            seconds_since(last_arrival) - (counters_.sleep_seconds - slept);
        if (finished()) {
            loop.quit();
        }
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
        if (finished()) {
            loop.quit();
        } else if (seconds_since(last_arrival) > timeout_seconds) {
            timed_out = true;
            loop.quit();
        }
    });
    watch.start(20);

    engine.start_operation(kind);
    if (!finished()) {
        loop.exec();
    }
    QObject::disconnect(connection);
    if (ended_) {
        return probe_outcome::ended;
    }
    return timed_out ? probe_outcome::timed_out : probe_outcome::completed;
}

} // namespace pellandor
