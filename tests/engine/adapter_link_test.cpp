#include "engine/adapter_link.h"

#include <gtest/gtest.h>

#include "engine/fake_engine_host.h"

namespace pellandor {
namespace {

using testing::fake_engine_host;
using events = std::vector<std::string>;

TEST(AdapterLink, EachSenderWritesItsCommandByteAndYieldsOnce) {
    fake_engine_host host;
    send_step(host);
    send_begin(host);
    send_end(host);
    send_get(host);
    EXPECT_EQ(host.events, (events{"write C8", "yield", "write C9", "yield", "write CA", "yield",
                                   "write CC", "yield"}));
}

TEST(AdapterLink, ADataByteIsTwoWritesEachFollowedByAYield) {
    fake_engine_host host;
    send_byte(host, 0);
    send_byte(host, 0xFF);
    EXPECT_EQ(host.events, (events{"write CB", "yield", "write 00", "yield", "write CB", "yield",
                                   "write FF", "yield"}));
}

TEST(AdapterLink, SplitAddressKeepsOnlyTheLowSixteenBits) {
    const split_address_result a = split_address(0x123);
    EXPECT_EQ(a.addr_mid, 0x01);
    EXPECT_EQ(a.addr_low, 0x23);
    const split_address_result b = split_address(0x10123);
    EXPECT_EQ(b.addr_mid, 0x01);
    EXPECT_EQ(b.addr_low, 0x23);
    const split_address_result c = split_address(0xFFFF);
    EXPECT_EQ(c.addr_mid, 0xFF);
    EXPECT_EQ(c.addr_low, 0xFF);
}

} // namespace
} // namespace pellandor
