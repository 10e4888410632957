#include "adapter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pellandor::adapter_sim {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

struct adapter_session {
    explicit adapter_session(injected_faults injected = {})
        : chip(*find_chip_model("attiny85"), factory_image(*find_chip_model("attiny85")), sink()),
          link(chip, injected, sink()) {}

    fault_sink sink() {
        return [this](const std::string& text) { faults.push_back(text); };
    }
    std::vector<std::uint8_t> send(std::initializer_list<std::uint8_t> bytes) {
        std::vector<std::uint8_t> replies;
        for (const auto byte : bytes) {
            now += sim_time{100};
            const auto reply = link.receive(byte, now);
            replies.insert(replies.end(), reply.view().begin(), reply.view().end());
        }
        return replies;
    }
    void enter() {
        send({0xC9});
        now += sim_time{20000};
        send({0xCB, 0xAC, 0xCB, 0x53, 0xCB, 0x00, 0xCB, 0x00});
    }

    std::vector<std::string> faults;
    avr_chip chip;
    adapter link;
    sim_time now{0};
};

TEST(Adapter, AnswersEachCommandWithItsNumberOfBytes) {
    adapter_session s;
    EXPECT_EQ(s.send({0xC9}).size(), 1U);
    s.now += sim_time{20000};
    EXPECT_THAT(s.send({0xCB}), IsEmpty());
    EXPECT_THAT(s.send({0xAC}), ElementsAre(0x00));
    // A data byte that looks like a command is still data.
    EXPECT_THAT(s.send({0xCB, 0x53, 0xCB, 0xCA, 0xCB, 0x00}), ElementsAre(0xAC, 0x53, 0xCA));
    EXPECT_TRUE(s.chip.programming());
    EXPECT_EQ(s.send({0xC8}).size(), 1U);
    EXPECT_EQ(s.send({0xCB, 0x30, 0xCB, 0x00, 0xCB, 0x01}).size(), 3U);
    const auto value = s.send({0xCC});
    ASSERT_EQ(value.size(), 2U);
    EXPECT_EQ(value[0], 0x93);
    EXPECT_EQ(s.send({0xCA}).size(), 1U);
    EXPECT_FALSE(s.chip.programming());
    EXPECT_EQ(s.link.commands(), 11U);
    EXPECT_THAT(s.faults, IsEmpty());
}

TEST(Adapter, IgnoresBytesThatAreNoCommand) {
    adapter_session s;
    EXPECT_THAT(s.send({0x00, 0xC7, 0xCD}), IsEmpty());
    EXPECT_THAT(s.faults,
                ElementsAre(HasSubstr("unknown command 0x00"), HasSubstr("unknown command 0xC7"),
                            HasSubstr("unknown command 0xCD")));
    EXPECT_EQ(s.link.commands(), 0U);
}

TEST(Adapter, InjectedFaultsLoseAddOrStopReplies) {
    adapter_session dropping({0, 9, 0});
    dropping.enter();
    EXPECT_EQ(dropping.send({0xCB, 0x30, 0xCB, 0x00, 0xCB, 0x00}).size(), 3U);
    EXPECT_THAT(dropping.send({0xCC}), ElementsAre(0xCC));

    adapter_session adding({0, 0, 1});
    EXPECT_EQ(adding.send({0xC8, 0xC8}).size(), 3U);

    adapter_session stopping({2, 0, 0});
    EXPECT_EQ(stopping.send({0xC8, 0xC9, 0xCA, 0xCB, 0x00, 0xCC}).size(), 2U);
    EXPECT_EQ(stopping.link.commands(), 5U);
}

} // namespace
} // namespace pellandor::adapter_sim
