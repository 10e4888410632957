#include "chip_image.h"
#include "sim_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace pellandor::adapter_sim {
namespace {

namespace fs = std::filesystem;
using bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;
using testing::ElementsAre;
using testing::HasSubstr;

class PtyAdapter : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder.empty()); }
    void TearDown() override { fs::remove_all(folder); }

    bytes file(const std::string& name) const {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void enter(sim_process& sim) const {
        ASSERT_EQ(sim.exchange({0xC9}, 1).size(), 1U);
        std::this_thread::sleep_for(milliseconds(25));
        EXPECT_EQ(sim.exchange({0xCB, 0xAC, 0xCB, 0x53, 0xCB, 0x00, 0xCB, 0x00}, 4),
                  (bytes{0x00, 0xAC, 0x53, 0x00}));
    }

    std::string folder = make_temporary_folder();
};

TEST_F(PtyAdapter, SpeaksTheProtocolAndSavesTheChipOnSigterm) {
    sim_process sim({"--chip", "atmega328p", "--state-out", folder + "/out.bin"});
    ASSERT_THAT(sim.pty(), testing::StartsWith("/dev/pts/"));
    ASSERT_TRUE(sim.open_port(sim.pty()));
    ASSERT_EQ(sim.exchange({0xC9}, 1).size(), 1U);
    std::this_thread::sleep_for(milliseconds(25));
    EXPECT_THAT(sim.exchange({0xCB, 0xAC}, 1), ElementsAre(0x00));
    EXPECT_THAT(sim.exchange({0xCB, 0x53}, 1), ElementsAre(0xAC));
    EXPECT_THAT(sim.exchange({0xCB, 0x00}, 1), ElementsAre(0x53));
    EXPECT_THAT(sim.exchange({0xCB, 0x00}, 1), ElementsAre(0x00));

    // Several commands in one write, and a data byte that comes later.
    const auto burst = sim.exchange({0xCB, 0x30, 0xCB, 0x00, 0xCB, 0x01, 0xCC}, 5);
    ASSERT_EQ(burst.size(), 5U);
    EXPECT_EQ(burst[3], 0x95);
    sim.write({0xCB});
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_EQ(sim.exchange({0x40}, 1).size(), 1U);
    EXPECT_EQ(sim.exchange({0xCB, 0x00, 0xCB, 0x00, 0xCB, 0x12}, 3).size(), 3U);
    EXPECT_EQ(sim.exchange({0xCB, 0x4C, 0xCB, 0x00, 0xCB, 0x00, 0xCB, 0x00}, 4).size(), 4U);
    std::this_thread::sleep_for(milliseconds(10));
    EXPECT_EQ(sim.exchange({0xCA}, 1).size(), 1U);
    EXPECT_TRUE(sim.read(1, milliseconds(50)).empty());

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_THAT(sim.errors, HasSubstr("commands: 18\n"));
    EXPECT_THAT(sim.errors, HasSubstr("faults: 0\n"));
    const auto saved = file("out.bin");
    ASSERT_EQ(saved.size(), 32768U + 1024U + 4U);
    EXPECT_EQ(saved[0], 0x12);
    EXPECT_THAT(bytes(saved.end() - 4, saved.end()), ElementsAre(0xFF, 0x62, 0xD9, 0xFF));
}

TEST_F(PtyAdapter, StartsFromAStateFileAndLinksItsPort) {
    const auto& model = *find_chip_model("at90s2313");
    auto image = factory_image(model);
    image.flash[0] = 0xAB;
    const auto state = state_bytes(image);
    std::ofstream(folder + "/in.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(state.data()), std::ssize(state));
    const auto link = folder + "/Quillmere Pellandor/ports/com3";

    sim_process sim({"--chip", "at90s2313", "--state-in", folder + "/in.bin", "--state-out",
                     folder + "/out.bin", "--link", link});
    EXPECT_EQ(fs::read_symlink(link), sim.pty());
    ASSERT_TRUE(sim.open_port(link));
    enter(sim);
    const auto read = sim.exchange({0xCB, 0x20, 0xCB, 0x00, 0xCB, 0x00, 0xCC}, 5);
    ASSERT_EQ(read.size(), 5U);
    EXPECT_EQ(read[3], 0xAB);
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_EQ(file("out.bin"), state);

    std::ofstream(folder + "/short.bin") << "too short";
    sim_process refused({"--chip", "at90s2313", "--state-in", folder + "/short.bin"});
    EXPECT_TRUE(refused.pty().empty());
    EXPECT_EQ(refused.wait(), 2);
}

TEST_F(PtyAdapter, StopsAnsweringAfterTheGivenCommand) {
    sim_process sim({"--chip", "attiny13", "--stop-after", "2"});
    ASSERT_TRUE(sim.open_port(sim.pty()));
    EXPECT_EQ(sim.exchange({0xC8}, 1).size(), 1U);
    EXPECT_EQ(sim.exchange({0xC8}, 1).size(), 1U);
    sim.write({0xC8});
    EXPECT_EQ(sim.read_line(), "silent after 2 commands");
    EXPECT_TRUE(sim.read(1, milliseconds(200)).empty());
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_THAT(sim.errors, HasSubstr("commands: 3\n"));
}

TEST_F(PtyAdapter, SendsAByteUnaskedOnSigusr1AndGoesOnAnswering) {
    sim_process sim({"--chip", "attiny13"});
    ASSERT_TRUE(sim.open_port(sim.pty()));
    sim.signal(SIGUSR1);
    EXPECT_EQ(sim.read_line(), "unasked bytes sent: 1");
    EXPECT_THAT(sim.read(1), ElementsAre(0x55));
    EXPECT_THAT(sim.exchange({0xC8}, 1), ElementsAre(0xC8));
    sim.signal(SIGUSR1);
    EXPECT_EQ(sim.read_line(), "unasked bytes sent: 2");
    EXPECT_THAT(sim.read(1), ElementsAre(0x55));
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_THAT(sim.errors, HasSubstr("commands: 1\n"));
}

TEST_F(PtyAdapter, ReportsFaultsAsTheyHappenAndInTheExitStatus) {
    sim_process sim({"--chip", "attiny85"});
    ASSERT_TRUE(sim.open_port(sim.pty()));
    sim.exchange({0xC9}, 1);
    EXPECT_THAT(sim.exchange({0xCB, 0xAC, 0xCB, 0x53, 0xCB, 0x00, 0xCB, 0x00}, 4),
                ElementsAre(0xFF, 0xFF, 0xFF, 0xFF));
    EXPECT_EQ(sim.stop(), 1);
    EXPECT_THAT(sim.errors, HasSubstr("fault: programming enable refused: RESET held low"));
    EXPECT_THAT(sim.errors, HasSubstr("faults: 1\n"));
}

TEST_F(PtyAdapter, TakesTheWireTimeOfTheBaudRateAndTheLatency) {
    sim_process sim({"--chip", "attiny85", "--baud", "9600", "--latency-us", "1000"});
    ASSERT_TRUE(sim.open_port(sim.pty()));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(sim.exchange({0xC8}, 1).size(), 1U);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // Two bytes of 10 bits at 9600 baud plus 1 ms: 3.08 ms a command. How
    // little more a busy machine adds is engine_link_bench's figure.
    EXPECT_GE(elapsed, milliseconds(61));
    EXPECT_EQ(sim.stop(), 0);
}

} // namespace
} // namespace pellandor::adapter_sim
