#include "platform/serial_control.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <termios.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/port_setup.h"
#include "platform/port_map.h"
#include "support/event_wait.h"
#include "support/memory_settings_backend.h"
#include "support/pty_pair.h"
#include "support/qt_application.h"
#include "support/temporary_config_folder.h"

namespace pellandor {
namespace {

using namespace std::chrono_literals;
using testing::ensure_application;
using testing::pty_pair;

using testing::run_events_for;
using testing::wait_for;

// Every test gets its own configuration folder, with a ports folder in it.
class SerialControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_application();
        ASSERT_TRUE(QDir().mkpath(ports_folder()));
        ASSERT_TRUE(line_.valid());
    }

    static QString entry(int number) {
        return QDir(ports_folder()).filePath(QStringLiteral("com%1").arg(number));
    }
    static void link_entry(int number, const std::string& device) {
        ASSERT_TRUE(QFile::link(QString::fromStdString(device), entry(number)));
    }
    static void file_entry(int number, const QByteArray& content) {
        QFile file(entry(number));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void open_line(const std::string& settings = "56000,n,8,1") {
        control_.set_port_name(QString::fromStdString(line_.slave_path()));
        ASSERT_TRUE(control_.set_settings(settings));
        ASSERT_TRUE(control_.open_port()) << control_.error_text().toStdString();
    }

    testing::temporary_config_folder config_;
    pty_pair line_;
    SerialControl control_;
};

TEST_F(SerialControlTest, OpensADeviceByPathAtARateWithoutAStandardConstant) {
    open_line("56000,n,8,1");
    EXPECT_TRUE(control_.is_open());
    EXPECT_EQ(line_.output_speed(), 56000U);
    EXPECT_EQ(line_.control_flags() & (CSTOPB | CRTSCTS), 0U); // one stop bit, no handshake

    EXPECT_TRUE(control_.close_port());
    EXPECT_FALSE(control_.is_open());
    EXPECT_TRUE(control_.close_port()); // closing a closed port is no failure
}

TEST_F(SerialControlTest, AppliesTheRestOfTheSettingsText) {
    // A pty always carries eight bits without parity, whatever it is told; of
    // the line format only the stop bits and the odd-parity flag show there.
    open_line("9600,O,7,2");
    EXPECT_EQ(line_.output_speed(), 9600U);
    EXPECT_EQ(line_.control_flags() & (PARODD | CSTOPB), static_cast<unsigned>(PARODD | CSTOPB));

    // A new text on an open port takes effect at once.
    ASSERT_TRUE(control_.set_settings("1200,e,8,1"));
    EXPECT_EQ(line_.output_speed(), 1200U);
    EXPECT_EQ(line_.control_flags() & (PARODD | CSTOPB), 0U);
}

TEST_F(SerialControlTest, ARefusedSettingsTextMakesTheNextOpeningFail) {
    control_.set_port_name(QString::fromStdString(line_.slave_path()));
    for (const char* text : {"", "56000", "56000,n,8", "56000,n,8,1,1", "0,n,8,1", "-9600,n,8,1",
                             "9600.5,n,8,1", "abc,n,8,1", "99999999999,n,8,1", "9600,x,8,1",
                             "9600,n,9,1", "9600,n,4,1", "9600,n,8,3", " 9600,n,8,1",
                             // termios knows no 1.5 stop bits; opening with 1 would lie
                             "9600,n,5,1.5"}) {
        EXPECT_FALSE(control_.set_settings(text)) << text;
        EXPECT_FALSE(control_.open_port()) << text;
        EXPECT_FALSE(control_.is_open()) << text;
    }
    // An accepted text makes the port openable again.
    EXPECT_TRUE(control_.set_settings("9600,N,8,1"));
    EXPECT_TRUE(control_.open_port());
}

TEST_F(SerialControlTest, ADeviceThatDoesNotExistDoesNotOpen) {
    control_.set_port_name(QDir(config_.path()).filePath("no-such-tty"));
    ASSERT_TRUE(control_.set_settings("9600,n,8,1"));
    EXPECT_FALSE(control_.open_port());
    EXPECT_FALSE(control_.is_open());

    file_entry(5, QDir(config_.path()).filePath("no-such-tty").toLocal8Bit());
    control_.set_comm_port(5);
    EXPECT_FALSE(control_.open_port());
}

TEST_F(SerialControlTest, OutputReachesTheFarSideByteForByteWithoutTheEventLoop) {
    open_line();
    std::string all;
    for (int v = 0; v < 256; ++v) {
        all.push_back(static_cast<char>(v));
    }
    for (char c : all) {
        ASSERT_TRUE(control_.output(static_cast<std::uint8_t>(c)));
    }
    // No event loop has run: each byte must already be with the kernel.
    EXPECT_EQ(line_.receive(all.size(), testing::moment), all);

    control_.close_port();
    EXPECT_FALSE(control_.output(0x55));
}

TEST_F(SerialControlTest, OutputBeyondWhatTheKernelHoldsIsQueuedNotLost) {
    open_line();
    // Far more than a pty holds while no one reads the other side.
    std::string all;
    for (int i = 0; i < 200000; ++i) {
        all.push_back(static_cast<char>(i * 7 + i / 256));
    }
    for (char c : all) {
        ASSERT_TRUE(control_.output(static_cast<std::uint8_t>(c)));
    }
    std::string arrived;
    ASSERT_TRUE(wait_for("every byte written across the line",
                         [&] {
                             arrived += line_.receive(all.size() - arrived.size(), 1ms);
                             return arrived.size() == all.size();
                         }))
        << arrived.size() << " bytes arrived";
    EXPECT_TRUE(arrived == all); // not EXPECT_EQ: no 200000-byte dump
}

TEST_F(SerialControlTest, InputReturnsEveryWaitingByteOnce) {
    open_line();
    const std::string sent{"\x00\xff\xcc\r\n\x1a", 6};
    ASSERT_TRUE(line_.send(sent));
    ASSERT_TRUE(wait_for("six bytes waiting", [&] { return control_.bytes_waiting() == 6; }));
    EXPECT_EQ(control_.input(), sent);
    EXPECT_EQ(control_.bytes_waiting(), 0);
    EXPECT_EQ(control_.input(), "");
}

// Bytes in the control's buffer and bytes still in the kernel's both go:
// only what the far side sends afterwards is read.
TEST_F(SerialControlTest, DiscardedInputIsNeverReadWhereverItWaited) {
    open_line();
    ASSERT_TRUE(line_.send("ab"));
    ASSERT_TRUE(
        wait_for("two bytes in the control", [&] { return control_.bytes_waiting() == 2; }));
    ASSERT_TRUE(line_.send("cd")); // no event loop runs: these stay with the kernel
    control_.discard_input();
    EXPECT_EQ(control_.bytes_waiting(), 0);
    ASSERT_TRUE(line_.send("e"));
    ASSERT_TRUE(wait_for("the byte sent after the discarding",
                         [&] { return control_.bytes_waiting() > 0; }));
    EXPECT_EQ(control_.input(), "e");
}

// An adapter pulled out: writes fail at once, and the control closes the
// port by itself and says so, whether or not a byte was being awaited.
TEST_F(SerialControlTest, AFarSideThatGoesAwayClosesThePortAndIsReported) {
    open_line();
    int gone = 0;
    QObject::connect(&control_, &SerialControl::line_gone, [&] { ++gone; });
    control_.set_rthreshold(1);
    line_.hang_up();
    EXPECT_FALSE(control_.output(0xC8));
    ASSERT_TRUE(wait_for("the control to report the device gone", [&] { return gone > 0; }));
    EXPECT_FALSE(control_.is_open());
    EXPECT_FALSE(control_.output(0xC8));
    run_events_for(100ms);
    EXPECT_EQ(gone, 1);
}

// News of a device gone that arrives after the port was opened again must
// not close the new opening.
TEST_F(SerialControlTest, ADeviceGoneBeforeAReopeningLeavesTheNewOpeningAlone) {
    pty_pair first;
    ASSERT_TRUE(first.valid());
    control_.set_port_name(QString::fromStdString(first.slave_path()));
    ASSERT_TRUE(control_.set_settings("56000,n,8,1"));
    ASSERT_TRUE(control_.open_port());
    int gone = 0;
    QObject::connect(&control_, &SerialControl::line_gone, [&] { ++gone; });
    first.hang_up();
    // One pass: the port notices the hang-up and queues its closing, which
    // the next pass would deliver.
    QCoreApplication::processEvents();
    control_.close_port();
    open_line();
    run_events_for(100ms);
    EXPECT_EQ(gone, 0);
    EXPECT_TRUE(control_.is_open());
    EXPECT_TRUE(control_.output(0xC9));
    EXPECT_EQ(line_.receive(1, testing::moment), "\xc9");
}

TEST_F(SerialControlTest, ThresholdZeroKeepsArrivingBytesWithoutAnEvent) {
    open_line();
    int events = 0;
    QObject::connect(&control_, &SerialControl::on_comm, [&] { ++events; });
    control_.set_rthreshold(0);
    ASSERT_TRUE(line_.send("\xc8\xc9"));
    ASSERT_TRUE(wait_for("two bytes waiting", [&] { return control_.bytes_waiting() == 2; }));
    run_events_for(100ms);
    EXPECT_EQ(events, 0);

    // Raising the threshold queues exactly one event; it is not delivered
    // from inside the call.
    control_.set_rthreshold(1);
    EXPECT_EQ(events, 0);
    run_events_for(100ms);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(control_.input(), "\xc8\xc9");

    // Raising it again with nothing waiting queues nothing.
    control_.set_rthreshold(0);
    control_.set_rthreshold(1);
    run_events_for(100ms);
    EXPECT_EQ(events, 1);
}

TEST_F(SerialControlTest, ThresholdOneRaisesAnEventForArrivingBytes) {
    open_line();
    std::string received;
    int events = 0;
    QObject::connect(&control_, &SerialControl::on_comm, [&] {
        ++events;
        received += control_.input();
    });
    control_.set_rthreshold(1);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(line_.send(std::string(1, static_cast<char>(0xF0 + i))));
        ASSERT_TRUE(wait_for("the byte's receive event",
                             [&] { return received.size() == std::size_t(i) + 1; }));
    }
    EXPECT_EQ(received, "\xf0\xf1\xf2\xf3\xf4");
    EXPECT_EQ(events, 5);
}

// The way the interpreter uses the control: the event handler turns the
// threshold off, yields to the event loop while more bytes arrive, and turns
// it on again. No handler may run inside another, and no byte may be lost.
TEST_F(SerialControlTest, BytesArrivingInsideAHandlerComeInTheNextEvent) {
    open_line();
    std::string received;
    int depth = 0;
    int deepest = 0;
    int events = 0;
    QObject::connect(&control_, &SerialControl::on_comm, [&] {
        ++events;
        deepest = std::max(deepest, ++depth);
        for (char c : control_.input()) {
            control_.set_rthreshold(0);
            received.push_back(c);
            if (c == 'a') {
                line_.send("bc");
                EXPECT_TRUE(wait_for("the bytes sent from inside the handler",
                                     [&] { return control_.bytes_waiting() == 2; }));
            }
            control_.set_rthreshold(1);
        }
        --depth;
    });
    control_.set_rthreshold(1);
    ASSERT_TRUE(line_.send("a"));
    ASSERT_TRUE(wait_for("all three bytes received", [&] { return received.size() == 3; }));
    EXPECT_EQ(received, "abc");
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(events, 2);
}

TEST_F(SerialControlTest, ComPortsComeFromTheEntriesOfThePortsFolder) {
    pty_pair other;
    ASSERT_TRUE(other.valid());
    link_entry(3, line_.slave_path());
    file_entry(7, QByteArray::fromStdString(other.slave_path()) + "\nsecond line\n");
    file_entry(8, "\n");
    file_entry(9, "tty-here\n");
    link_entry(10, QDir(config_.path()).filePath("gone").toStdString());

    EXPECT_EQ(com_port_device(3).toStdString(), line_.slave_path());
    EXPECT_EQ(com_port_device(7).toStdString(), other.slave_path());
    EXPECT_EQ(com_port_device(8), QString());
    EXPECT_EQ(com_port_device(9), QDir(ports_folder()).filePath("tty-here"));
    EXPECT_EQ(com_port_device(10), QDir(config_.path()).filePath("gone"));

    // Without an entry: the built-in, USB and CDC serial devices.
    EXPECT_EQ(com_port_device(1), "/dev/ttyS0");
    EXPECT_EQ(com_port_device(4), "/dev/ttyS3");
    EXPECT_EQ(com_port_device(5), "/dev/ttyUSB0");
    EXPECT_EQ(com_port_device(11), "/dev/ttyACM0");
    EXPECT_EQ(com_port_device(16), "/dev/ttyACM5");
    EXPECT_EQ(com_port_device(0), QString());
    EXPECT_EQ(com_port_device(17), QString());

    // The number takes effect at the next opening and replaces a path.
    control_.set_port_name("/dev/null-no-such");
    control_.set_comm_port(7);
    ASSERT_TRUE(control_.set_settings("9600,n,8,1"));
    ASSERT_TRUE(control_.open_port());
    EXPECT_EQ(other.output_speed(), 9600U);
    control_.close_port();
    control_.set_comm_port(8);
    EXPECT_FALSE(control_.open_port());
}

TEST_F(SerialControlTest, ScanFindsTheTwoLinkedPortsAndOpensTheHighest) {
    pty_pair other;
    ASSERT_TRUE(other.valid());
    // Ports without a pty point nowhere, whatever devices this machine has.
    for (int n = 1; n <= 16; ++n) {
        if (n != 2 && n != 9) {
            file_entry(n, "/nonexistent/tty");
        }
    }
    link_entry(2, line_.slave_path());
    link_entry(9, other.slave_path());

    testing::memory_settings_backend backend;
    settings_store settings(backend);
    std::string status;
    port_setup setup(control_, settings, [&](const std::string& s) { status = s; });
    setup.scan_ports();
    EXPECT_EQ(setup.port_list(), "- Serial port COM2 available\r\n- Serial port COM9 available");
    EXPECT_EQ(setup.default_port(), 9);
    EXPECT_FALSE(control_.is_open());

    setup.open_port();
    EXPECT_EQ(status, "Serial port COM9 ready...");
    EXPECT_TRUE(setup.port_ready());
    EXPECT_EQ(other.output_speed(), 56000U);
    ASSERT_TRUE(control_.output(0xC9));
    EXPECT_EQ(other.receive(1, testing::moment), "\xc9");
}

} // namespace
} // namespace pellandor
