// The serial control of the main window: a port chosen by COM number or by
// device path, a settings text such as "56000,n,8,1", opening and closing,
// one byte out at a time, all waiting bytes in, and a receive event gated by
// a threshold.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>

#include <cstdint>
#include <string>

#include "engine/serial_port_control.h"

namespace pellandor {

class SerialControl : public QObject, public serial_port_control {
    Q_OBJECT

public:
    explicit SerialControl(QObject* parent = nullptr);

    // CommPort: the device comes from com_port_device() at the next opening.
    void set_comm_port(std::int32_t number) override;
    std::int32_t comm_port() const { return comm_port_; }
    // A device path instead of a COM number, until the next set_comm_port.
    void set_port_name(const QString& path);

    // "baud,parity,data bits,stop bits": any positive whole baud rate,
    // parity n/e/o/m/s, 5 to 8 data bits, 1 or 2 stop bits, and 1.5 on
    // Windows only (termios has no such setting). On an open port an accepted
    // text takes effect at once.
    bool set_settings(const std::string& settings) override;

    bool open_port() override;
    bool close_port() override;
    bool is_open() const override;

    // Writes one byte and hands it to the operating system at once; false
    // when the port is not open or refuses it.
    bool output(std::uint8_t value);
    // Every byte waiting, in arrival order, removed from the receive buffer;
    // one char per byte.
    std::string input();
    std::int64_t bytes_waiting() const;
    // Throws away every byte received and not yet read, the operating
    // system's as well as this control's, so that nothing that came before
    // can be taken for the reply to what is sent next.
    void discard_input();

    // 1: a receive event whenever bytes are waiting; 0: none, the bytes stay
    // in the buffer. Raising it while bytes wait queues one event.
    void set_rthreshold(int threshold);
    int rthreshold() const { return rthreshold_; }

    // The underlying port's last error text, for diagnostics.
    QString error_text() const { return port_.errorString(); }

signals:
    // The receive event: bytes are waiting and the threshold is 1. Always
    // delivered from the event loop, never from inside a call to this object.
    void on_comm();
    // The device went away while the port was open (unplugged, or the far
    // end of a pseudo-terminal closed): the port has been closed. Delivered
    // from the event loop, like the receive event.
    void line_gone();

private:
    void queue_receive_event();
    void deliver_receive_event();
    void close_gone_port(std::uint32_t opening);
    void apply_settings();

    QSerialPort port_;
    std::int32_t comm_port_ = 1;
    QString port_name_; // empty: use comm_port_
    bool settings_valid_ = true;
    qint32 baud_rate_ = 9600;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits data_bits_ = QSerialPort::Data8;
    QSerialPort::StopBits stop_bits_ = QSerialPort::OneStop;
    int rthreshold_ = 0;
    bool event_queued_ = false;
    // Counts successful openings, so that news of a device gone from an
    // earlier opening cannot close the port opened since.
    std::uint32_t openings_ = 0;
};

} // namespace pellandor
