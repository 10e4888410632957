#include "engine/port_setup.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/memory_settings_backend.h"

namespace pellandor {
namespace {

// A serial control whose ports open or not as the test says, and which
// writes down every call in order.
class scripted_control : public serial_port_control {
public:
    std::set<std::int32_t> openable;
    std::set<std::string> refused_settings;
    std::vector<std::string> calls;

    void set_comm_port(std::int32_t number) override {
        calls.push_back("port " + std::to_string(number));
        port_ = number;
    }
    bool set_settings(const std::string& settings) override {
        calls.push_back("settings " + settings);
        settings_ok_ = refused_settings.count(settings) == 0;
        return settings_ok_;
    }
    bool open_port() override {
        calls.push_back("open");
        open_ = !open_ && settings_ok_ && openable.count(port_) != 0;
        return open_;
    }
    bool close_port() override {
        calls.push_back("close");
        open_ = false;
        return true;
    }
    bool is_open() const override { return open_; }

private:
    std::int32_t port_ = 1;
    bool settings_ok_ = true;
    bool open_ = false;
};

class PortSetup : public ::testing::Test {
protected:
    scripted_control control;
    testing::memory_settings_backend backend;
    settings_store settings{backend};
    std::vector<std::string> statuses;
    port_setup setup{control, settings, [this](const std::string& s) { statuses.push_back(s); }};
};

TEST_F(PortSetup, FirstStartWithNoPortOpenableStoresPortTwoAndReportsItsError) {
    setup.scan_ports();
    EXPECT_EQ(setup.port_list(), "");
    EXPECT_EQ(setup.default_port(), 2);

    setup.open_port();
    EXPECT_EQ(backend.numbers.at("Serial Port Number"), 2);
    EXPECT_EQ(backend.texts.at("Serial Port Baud Rate"), "56000");
    EXPECT_EQ(statuses, std::vector<std::string>{"Serial port COM2 error!"});
    EXPECT_FALSE(setup.port_ready());
    EXPECT_EQ(setup.port_number(), 2);
}

TEST_F(PortSetup, ScanListsOpenablePortsInOrderAndDefaultsToTheHighest) {
    control.openable = {1, 4};
    setup.scan_ports();
    EXPECT_EQ(setup.port_list(), "- Serial port COM1 available\r\n- Serial port COM4 available");
    EXPECT_EQ(setup.default_port(), 4);
    EXPECT_FALSE(control.is_open()); // every probed port is closed again
    EXPECT_TRUE(statuses.empty());   // probing shows nothing

    // Every port is tried at the probe's settings, once.
    int probes = 0;
    for (const auto& call : control.calls) {
        probes += call == "settings 9600,n,8,1" ? 1 : 0;
    }
    EXPECT_EQ(probes, 16);

    setup.open_port();
    EXPECT_EQ(statuses.back(), "Serial port COM4 ready...");
    EXPECT_TRUE(setup.port_ready());
    EXPECT_TRUE(control.is_open());
}

TEST_F(PortSetup, OpensTheStoredPortAtTheStoredBaudRate) {
    control.openable = {7};
    backend.numbers["Serial Port Number"] = 7;
    backend.texts["Serial Port Baud Rate"] = "9600";
    setup.open_port();

    const std::vector<std::string> expected{"port 7", "settings 9600,n,8,1", "open"};
    EXPECT_EQ(control.calls, expected);
    EXPECT_EQ(statuses, std::vector<std::string>{"Serial port COM7 ready..."});
    EXPECT_TRUE(setup.port_ready());
    EXPECT_EQ(setup.baud_rate(), "9600");
}

TEST_F(PortSetup, ARefusedSettingsTextLeavesThePortClosedAndSaysSo) {
    control.openable = {3};
    control.refused_settings = {"9600.5,n,8,1"};
    backend.numbers["Serial Port Number"] = 3;
    backend.texts["Serial Port Baud Rate"] = "9600.5";
    setup.open_port();
    EXPECT_FALSE(setup.port_ready());
    EXPECT_FALSE(control.is_open());
    EXPECT_EQ(statuses, std::vector<std::string>{"Serial port COM3 error!"});
}

TEST_F(PortSetup, AStoredPortNumberOutsideTheRangeOpensNothing) {
    control.openable = {1, 2, 3};
    for (const std::int32_t stored : {0, 17, -5, 2147483647}) {
        backend.numbers["Serial Port Number"] = stored;
        control.calls.clear();
        setup.open_port();
        EXPECT_FALSE(setup.port_ready());
        EXPECT_EQ(control.calls, std::vector<std::string>{}) << stored;
        EXPECT_EQ(statuses.back(), "Serial port COM" + std::to_string(stored) + " error!");
    }
}

TEST_F(PortSetup, ReadinessFollowsTheLastOpening) {
    control.openable = {5};
    backend.numbers["Serial Port Number"] = 5;
    setup.open_port();
    ASSERT_TRUE(setup.port_ready());

    // A change to a port that does not open drops the readiness.
    setup.change_port_number(6);
    EXPECT_FALSE(setup.port_ready());
    EXPECT_EQ(backend.numbers.at("Serial Port Number"), 6);
    EXPECT_EQ(statuses.back(), "Serial port COM6 error!");

    setup.change_port_number(5);
    EXPECT_TRUE(setup.port_ready());
    EXPECT_EQ(statuses.back(), "Serial port COM5 ready...");
}

TEST_F(PortSetup, ChangingTheBaudRateClosesStoresAndReopens) {
    control.openable = {5};
    backend.numbers["Serial Port Number"] = 5;
    setup.open_port();
    control.calls.clear();

    setup.change_baud_rate("1200");
    const std::vector<std::string> expected{"close", "port 5", "settings 1200,n,8,1", "open"};
    EXPECT_EQ(control.calls, expected);
    EXPECT_EQ(backend.texts.at("Serial Port Baud Rate"), "1200");
    EXPECT_TRUE(setup.port_ready());
}

TEST_F(PortSetup, ThePortPromptShowsTheListOfTheStartUpProbe) {
    control.openable = {2};
    setup.scan_ports();
    control.openable.clear();
    EXPECT_EQ(setup.port_prompt(),
              "Please select programmer serial port number [1-16]:\r\n\r\n"
              "The list of COM ports that can be opened:\r\n- Serial port COM2 available");
}

TEST(PortEntry, AcceptsComPrefixesOfAnyCaseAndRoundsHalvesToEven) {
    EXPECT_EQ(parse_port_entry("com3"), 3);
    EXPECT_EQ(parse_port_entry("COM3"), 3);
    EXPECT_EQ(parse_port_entry("Com 3"), 3);
    EXPECT_EQ(parse_port_entry("3abc"), 3);
    EXPECT_EQ(parse_port_entry("16.4"), 16);
    EXPECT_EQ(parse_port_entry("1.5"), 2);
    EXPECT_EQ(parse_port_entry("2.5"), 2);
    EXPECT_EQ(parse_port_entry("16.5"), 16);
    EXPECT_EQ(parse_port_entry("1"), 1);
    EXPECT_EQ(parse_port_entry("16"), 16);
}

TEST(PortEntry, RefusesWhatIsNotAPortFromOneToSixteen) {
    EXPECT_EQ(parse_port_entry(" com3"), std::nullopt); // the blank prevents the cut
    EXPECT_EQ(parse_port_entry("0"), std::nullopt);
    EXPECT_EQ(parse_port_entry("17"), std::nullopt);
    EXPECT_EQ(parse_port_entry("0.5"), std::nullopt);
    EXPECT_EQ(parse_port_entry("16.6"), std::nullopt);
    EXPECT_EQ(parse_port_entry("1e20"), std::nullopt);
    EXPECT_EQ(parse_port_entry("com"), std::nullopt);
    EXPECT_EQ(parse_port_entry("abc"), std::nullopt);
    EXPECT_EQ(parse_port_entry("-3"), std::nullopt);
}

TEST(BaudEntry, AcceptsTheRangeWithItsBoundsInShortestDecimalText) {
    EXPECT_EQ(parse_baud_entry("1200"), "1200");
    EXPECT_EQ(parse_baud_entry("56000"), "56000");
    EXPECT_EQ(parse_baud_entry("09600"), "9600");
    EXPECT_EQ(parse_baud_entry("9600.50"), "9600.5");
    EXPECT_EQ(parse_baud_entry(" 19200 "), "19200");
    EXPECT_EQ(parse_baud_entry("1199"), std::nullopt);
    EXPECT_EQ(parse_baud_entry("56001"), std::nullopt);
    EXPECT_EQ(parse_baud_entry("56000.01"), std::nullopt);
    EXPECT_EQ(parse_baud_entry("com9600"), std::nullopt); // no cut here
}

} // namespace
} // namespace pellandor
