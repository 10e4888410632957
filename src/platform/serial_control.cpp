#include "platform/serial_control.h"

#include <QMetaObject>

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/port_map.h"
#include "startup/letter_case.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace pellandor {

namespace {

struct line_settings {
    qint32 baud_rate;
    QSerialPort::Parity parity;
    QSerialPort::DataBits data_bits;
    QSerialPort::StopBits stop_bits;
};

std::vector<std::string_view> fields_of(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<qint32> baud_rate_of(std::string_view text) {
    qint32 value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || value <= 0) {
        return std::nullopt;
    }
    return value;
}

template <typename Value, std::size_t Count>
using choices = std::array<std::pair<std::string_view, Value>, Count>;

// The value whose text the field is, case aside.
template <typename Value, std::size_t Count>
std::optional<Value> choice_of(std::string_view field, const choices<Value, Count>& table) {
    const std::string lower = lower_case(field);
    for (const auto& [text, value] : table) {
        if (lower == text) {
            return value;
        }
    }
    return std::nullopt;
}

constexpr choices<QSerialPort::Parity, 5> parities{{{"n", QSerialPort::NoParity},
                                                    {"e", QSerialPort::EvenParity},
                                                    {"o", QSerialPort::OddParity},
                                                    {"m", QSerialPort::MarkParity},
                                                    {"s", QSerialPort::SpaceParity}}};

constexpr choices<QSerialPort::DataBits, 4> data_bit_counts{{{"5", QSerialPort::Data5},
                                                             {"6", QSerialPort::Data6},
                                                             {"7", QSerialPort::Data7},
                                                             {"8", QSerialPort::Data8}}};

#ifdef Q_OS_WIN
constexpr choices<QSerialPort::StopBits, 3> stop_bit_counts{{{"1", QSerialPort::OneStop},
                                                             {"1.5", QSerialPort::OneAndHalfStop},
                                                             {"2", QSerialPort::TwoStop}}};
#else
// termios has no 1.5 stop bits; QSerialPort would quietly open with one.
constexpr choices<QSerialPort::StopBits, 2> stop_bit_counts{
    {{"1", QSerialPort::OneStop}, {"2", QSerialPort::TwoStop}}};
#endif

std::optional<line_settings> parse_settings(std::string_view text) {
    const auto fields = fields_of(text);
    if (fields.size() != 4) {
        return std::nullopt;
    }
    const auto baud = baud_rate_of(fields[0]);
    const auto parity = choice_of(fields[1], parities);
    const auto data = choice_of(fields[2], data_bit_counts);
    const auto stop = choice_of(fields[3], stop_bit_counts);
    if (!baud || !parity || !data || !stop) {
        return std::nullopt;
    }
    return line_settings{*baud, *parity, *data, *stop};
}

// Each command waits for its reply, so a USB converter's default receive
// latency (up to 16 ms) would dominate every instruction. Ports that do not
// know the flag, ptys among them, are used as they are.
void request_low_latency([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_LINUX
    const int fd = static_cast<int>(handle);
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && (serial.flags & ASYNC_LOW_LATENCY) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

// Whether the line is hung up for good. The port also reports a write the
// kernel had no room for as a resource error, which must not close it.
bool hung_up([[maybe_unused]] qintptr handle) {
#ifdef Q_OS_UNIX
    pollfd line{static_cast<int>(handle), 0, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return true;
#endif
}

} // namespace

SerialControl::SerialControl(QObject* parent) : QObject(parent) {
    // Line errors and line-state changes raise nothing here: only waiting
    // bytes make a receive event.
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (rthreshold_ == 1) {
            queue_receive_event();
        }
    });
    // A device that is gone stays gone. On Linux a line hung up reads as end
    // of file, which the port reports as a read error at every pass of the
    // event loop; a device removed elsewhere is a resource error. Its
    // descriptor is given up at once, so that the system can give the
    // device's name to it again when it is plugged back in.
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
            QMetaObject::invokeMethod(
                this, [this, opening = openings_] { close_gone_port(opening); },
                Qt::QueuedConnection);
        }
    });
}

void SerialControl::close_gone_port(std::uint32_t opening) {
    if (opening != openings_ || !port_.isOpen() || !hung_up(port_.handle())) {
        return;
    }
    port_.close();
    emit line_gone();
}

void SerialControl::set_comm_port(std::int32_t number) {
    comm_port_ = number;
    port_name_.clear();
}

void SerialControl::set_port_name(const QString& path) {
    port_name_ = path;
}

bool SerialControl::set_settings(const std::string& settings) {
    const auto parsed = parse_settings(settings);
    settings_valid_ = parsed.has_value();
    if (!parsed) {
        return false;
    }
    baud_rate_ = parsed->baud_rate;
    parity_ = parsed->parity;
    data_bits_ = parsed->data_bits;
    stop_bits_ = parsed->stop_bits;
    apply_settings();
    return true;
}

void SerialControl::apply_settings() {
    // Before opening these are only remembered; QSerialPort applies them when
    // it opens the port.
    port_.setBaudRate(baud_rate_);
    port_.setParity(parity_);
    port_.setDataBits(data_bits_);
    port_.setStopBits(stop_bits_);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialControl::open_port() {
    if (port_.isOpen() || !settings_valid_) {
        return false;
    }
    const QString device = port_name_.isEmpty() ? com_port_device(comm_port_) : port_name_;
    if (device.isEmpty()) {
        return false;
    }
    port_.setPortName(device);
    apply_settings();
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    request_low_latency(port_.handle());
    ++openings_;
    return true;
}

bool SerialControl::close_port() {
    if (port_.isOpen()) {
        port_.close();
    }
    return true;
}

bool SerialControl::is_open() const {
    return port_.isOpen();
}

bool SerialControl::output(std::uint8_t value) {
    if (!port_.isOpen()) {
        return false;
    }
    const char byte = static_cast<char>(value);
#ifdef Q_OS_UNIX
    // Straight to the descriptor while nothing waits before it: this spares
    // every round trip a write notification through the event loop.
    if (port_.bytesToWrite() == 0) {
        const int fd = static_cast<int>(port_.handle());
        ssize_t written = 0;
        do {
            written = ::write(fd, &byte, 1);
        } while (written < 0 && errno == EINTR);
        if (written == 1) {
            return true;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return false;
        }
    }
#endif
    // The kernel's buffer is full: QSerialPort queues the byte, and flush()
    // hands over what fits now rather than when the event loop next runs.
    if (port_.write(&byte, 1) != 1) {
        return false;
    }
    port_.flush();
    return true;
}

std::string SerialControl::input() {
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

std::int64_t SerialControl::bytes_waiting() const {
    return port_.bytesAvailable();
}

void SerialControl::discard_input() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Input);
    }
}

void SerialControl::set_rthreshold(int threshold) {
    rthreshold_ = threshold > 0 ? 1 : 0;
    if (rthreshold_ == 1 && port_.bytesAvailable() > 0) {
        queue_receive_event();
    }
}

void SerialControl::queue_receive_event() {
    if (event_queued_) {
        return;
    }
    event_queued_ = true;
    QMetaObject::invokeMethod(this, &SerialControl::deliver_receive_event, Qt::QueuedConnection);
}

void SerialControl::deliver_receive_event() {
    event_queued_ = false;
    if (rthreshold_ == 1 && port_.bytesAvailable() > 0) {
        emit on_comm();
    }
}

} // namespace pellandor
