// The port commands and the five operations as the window runs them, with
// the test as the adapter at the far end of a pseudo-terminal.
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "mainwindow/hex_grid_widget.h"
#include "startup/controls_widget.h"
#include "support/event_wait.h"
#include "support/pty_pair.h"
#include "window_fixture.h"

namespace pellandor::testing {
namespace {

using namespace std::chrono_literals;

class Ports : public window_fixture {
protected:
    Ports() {
        link_com_port(3, QString::fromStdString(com3.slave_path()));
        link_com_port(16, QString::fromStdString(com16.slave_path()));
    }

    // The adapter's side: the next byte the window sent.
    std::string sent(std::size_t count = 1) {
        std::string bytes;
        EXPECT_TRUE(wait_for("the window's next command to the adapter",
                             [&] {
                                 bytes += com3.receive(count - bytes.size(), 1ms);
                                 return bytes.size() == count;
                             }))
            << "had: " << bytes.size() << " of " << count << " bytes";
        return bytes;
    }
    void reply() { com3.send(std::string(1, '\x00')); }

    pty_pair com3;
    pty_pair com16;
};

TEST_F(Ports, TheProbeListsThePortsThatOpenAndTheHighestIsTheDefault) {
    Form1& window = load();
    EXPECT_EQ(window.ports().port_list(),
              "- Serial port COM3 available\r\n- Serial port COM16 available");
    EXPECT_EQ(backend.numbers["Serial Port Number"], 16);
    EXPECT_EQ(window.label_status->text(), "Serial port COM16 ready...");
    EXPECT_TRUE(window.port_ready());
}

struct port_entry {
    const char* entry;
    std::int32_t port; // 0: "Wrong entry!"
};

class PortEntries : public Ports, public ::testing::WithParamInterface<port_entry> {};

TEST_P(PortEntries, SelectThePortOrSayWrongEntry) {
    backend.numbers["Serial Port Number"] = 16;
    Form1& window = load();
    inputs.answers = {GetParam().entry};
    window.menuport->trigger();
    ASSERT_EQ(inputs.asks.size(), 1U);
    EXPECT_EQ(inputs.asks[0].prompt,
              "Please select programmer serial port number [1-16]:\r\n\r\nThe list of COM ports "
              "that can be opened:\r\n- Serial port COM3 available\r\n- Serial port COM16 "
              "available");
    EXPECT_EQ(inputs.asks[0].title, "Quillmere Pellandor");
    EXPECT_EQ(inputs.asks[0].default_text, "16");
    if (GetParam().port == 0) {
        ASSERT_EQ(boxes.boxes.size(), 1U);
        EXPECT_EQ(boxes.boxes[0].text, "Wrong entry!");
        EXPECT_EQ(boxes.boxes[0].kind, 16);
        EXPECT_EQ(boxes.boxes[0].title, "Quillmere Pellandor");
        EXPECT_EQ(backend.numbers["Serial Port Number"], 16);
        EXPECT_TRUE(window.serial().is_open());
    } else {
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(backend.numbers["Serial Port Number"], GetParam().port);
        const bool opens = GetParam().port == 3 || GetParam().port == 16;
        EXPECT_EQ(window.label_status->text().toStdString(), "Serial port COM" +
                                                                 std::to_string(GetParam().port) +
                                                                 (opens ? " ready..." : " error!"));
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, PortEntries,
                         ::testing::Values(port_entry{"com3", 3}, port_entry{"COM3", 3},
                                           port_entry{"Com 3", 3}, port_entry{"3abc", 3},
                                           port_entry{" com3", 0}, port_entry{"0", 0},
                                           port_entry{"17", 0}, port_entry{"16.4", 16},
                                           port_entry{"1.5", 2}, port_entry{"2.5", 2},
                                           port_entry{"0.5", 0}),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

TEST_F(Ports, CancelOrAnEmptyEntryChangesNothing) {
    Form1& window = load();
    const int writes = backend.write_count;
    window.menuport->trigger();
    window.menubaud->trigger();
    EXPECT_EQ(backend.write_count, writes);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(window.serial().is_open());
}

struct baud_entry {
    const char* entry;
    const char* stored; // nullptr: "Wrong entry!"
};

class BaudEntries : public Ports, public ::testing::WithParamInterface<baud_entry> {};

TEST_P(BaudEntries, StoreTheShortestTextOrSayWrongEntry) {
    backend.numbers["Serial Port Number"] = 3;
    Form1& window = load();
    inputs.answers = {GetParam().entry};
    window.menubaud->trigger();
    EXPECT_EQ(inputs.asks.at(0).prompt, "Please select programmer baud rate [1200-56000].");
    EXPECT_EQ(inputs.asks.at(0).default_text, "56000");
    if (GetParam().stored == nullptr) {
        EXPECT_EQ(boxes.boxes.at(0).text, "Wrong entry!");
        EXPECT_EQ(backend.texts["Serial Port Baud Rate"], "56000");
    } else {
        EXPECT_TRUE(boxes.boxes.empty());
        EXPECT_EQ(backend.texts["Serial Port Baud Rate"], GetParam().stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, BaudEntries,
                         ::testing::Values(baud_entry{"09600", "9600"},
                                           baud_entry{"9600.50", "9600.5"},
                                           baud_entry{"1200", "1200"}, baud_entry{"56000", "56000"},
                                           baud_entry{"1199", nullptr},
                                           baud_entry{"56001", nullptr},
                                           baud_entry{"fast", nullptr}),
                         [](const auto& param) { return "case" + std::to_string(param.index); });

TEST_F(Ports, ANewBaudRateReopensThePortAtIt) {
    backend.numbers["Serial Port Number"] = 3;
    Form1& window = load();
    inputs.answers = {"09600"};
    window.menubaud->trigger();
    EXPECT_EQ(window.label_status->text(), "Serial port COM3 ready...");
    EXPECT_EQ(com3.output_speed(), 9600U);
}

TEST_F(Ports, EveryOperationRefusesWhileThePortIsNotOpen) {
    backend.numbers["Serial Port Number"] = 5;
    Form1& window = load();
    state.image.flash_buffer[0] = 0x12;
    for (QAction* entry : window.menu3->actions()) {
        window.label_status->clear();
        entry->trigger();
        EXPECT_EQ(window.label_status->text(), "Serial port 5 error!");
    }
    QTest::mouseClick(window.Command2, Qt::LeftButton);
    EXPECT_EQ(window.label_status->text(), "Serial port 5 error!");
    EXPECT_EQ(state.image.flash_buffer[0], 0x12);
    EXPECT_TRUE(window.Command1->isEnabled());
    EXPECT_EQ(window.engine().operation_mode(), "");
}

// A write that the line refuses, before the window has noticed that the
// adapter went away: the port is given up with its error, as when an opening
// fails, so that no operation waits for a reply that cannot come.
TEST_F(Ports, AWriteTheLineRefusesGivesThePortUpWithItsError) {
    backend.numbers["Serial Port Number"] = 3;
    Form1& window = load();
    com3.hang_up();
    window.write_byte(0xC8);
    EXPECT_EQ(window.label_status->text(), "Serial port COM3 error!");
    EXPECT_FALSE(window.port_ready());
    EXPECT_FALSE(window.serial().is_open());
}

class Operations : public Ports, public ::testing::WithParamInterface<bool> {
protected:
    // From the button, or from the Tools menu.
    void start_erase(Form1& window) {
        if (GetParam()) {
            QTest::mouseClick(window.Command3, Qt::LeftButton);
        } else {
            window.menuerase->trigger();
        }
    }
};

TEST_P(Operations, TheWindowIsBusyUntilTheAdaptersLastAnswer) {
    backend.numbers["Serial Port Number"] = 3;
    Form1& window = load();
    start_erase(window);
    EXPECT_EQ(sent(), "\xC9");
    EXPECT_EQ(window.label_status->text(), "Begin erase all.");
    EXPECT_EQ(window.engine().operation_mode(), "erase");
    EXPECT_FALSE(window.menu1->menuAction()->isEnabled());
    EXPECT_FALSE(window.Command3->isEnabled());
    // The grids stay live.
    window.scrl1->setValue(7);
    EXPECT_EQ(window.tabla_flash->text().substr(0, 7), "000038:");
    reply();
    EXPECT_EQ(sent(), "\xCA");
    reply();
    ASSERT_TRUE(wait_for("the window usable again after the adapter's last answer",
                         [&] { return window.Command3->isEnabled(); }));
    const std::string status = from_qstring(window.label_status->text());
    EXPECT_EQ(status.substr(0, 13), "Chip erased. ");
    EXPECT_EQ(status.substr(status.size() - 19), " seconds elapsed...");
    EXPECT_EQ(window.engine().operation_mode(), "");
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, Operations, ::testing::Bool());

TEST_F(Ports, ClosingTheWindowDuringAnOperationClosesThePortAndRunsNoFurtherStep) {
    backend.numbers["Serial Port Number"] = 3;
    Form1& window = load();
    window.Command3->click();
    EXPECT_EQ(sent(), "\xC9");
    const std::int32_t next = window.engine().instr_ptr();
    window.close();
    EXPECT_FALSE(window.serial().is_open());
    reply();
    run_events_for(50ms);
    EXPECT_EQ(window.engine().instr_ptr(), next);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(Ports, AnUnrecognisedInstructionEndsTheProgramAfterItsMessage) {
    backend.numbers["Serial Port Number"] = 3;
    backend.texts["Microcontroller Model"] = "6";
    Form1& window = load();
    window.Command3->click();
    EXPECT_EQ(sent(), "\xC9");
    reply();
    // The reply is taken in the program's main loop, as in the program; the
    // step it runs ends that loop once its message has been shown.
    QTimer give_up;
    give_up.setSingleShot(true);
    QObject::connect(&give_up, &QTimer::timeout, [] {
        ADD_FAILURE() << "the main loop was not ended within " << moment.count() << " ms";
        QCoreApplication::exit(1);
    });
    give_up.start(moment);
    EXPECT_EQ(QApplication::exec(), 0);
    // Closing the last window asked the loop to end once more; that request
    // would end the next test's loops.
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].kind, 16);
    EXPECT_NE(boxes.boxes[0].text.find("frobnicate"), std::string::npos);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.serial().is_open());
}

} // namespace
} // namespace pellandor::testing
