#include "startup/hex_text.h"

#include <gtest/gtest.h>

namespace pellandor {
namespace {

TEST(HexText, KeepsOnlyTheLowDigitsOfWideAndNegativeValues) {
    EXPECT_EQ(hex2(0), "00");
    EXPECT_EQ(hex2(10), "0A");
    EXPECT_EQ(hex2(255), "FF");
    EXPECT_EQ(hex2(256), "00");
    EXPECT_EQ(hex2(-1), "FF");
    EXPECT_EQ(hex4(-1), "FFFF");
    EXPECT_EQ(hex4(65536), "0000");
    EXPECT_EQ(hex6(-1), "FFFFFF");
    EXPECT_EQ(hex6(0x1234567), "234567");
}

TEST(HexText, HFormsAppendALowerCaseH) {
    EXPECT_EQ(hex2h(10), "0Ah");
    EXPECT_EQ(hex4h(0x5), "0005h");
    EXPECT_EQ(hex6h(65536), "010000h");
}

TEST(HexValue, AcceptsExactlyUpperCaseDigitsOfTheRightWidth) {
    EXPECT_EQ(hex2_value("0A"), 10);
    EXPECT_EQ(hex2_value("FF"), 255);
    EXPECT_EQ(hex2_value("0a"), -1);
    EXPECT_EQ(hex2_value("A"), -1);
    EXPECT_EQ(hex2_value("00A"), -1);
    EXPECT_EQ(hex2_value(" 1"), -1);
    EXPECT_EQ(hex2_value("G0"), -1);
    EXPECT_EQ(hex4_value("0100"), 256);
    EXPECT_EQ(hex4_value("FFFF"), 65535);
    EXPECT_EQ(hex4_value("FFFf"), -1);
    EXPECT_EQ(hex4_value("FFF"), -1);
    EXPECT_EQ(hex4_value("FFFFF"), -1);
    EXPECT_EQ(hex4_value("G000"), -1);
}

TEST(HexValue, EveryByteSurvivesTheRoundTrip) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(hex2_value(hex2(v)), v);
    }
}

} // namespace
} // namespace pellandor
