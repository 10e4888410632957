#include "startup/text_value.h"
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace pellandor {
namespace {

TEST(TextValue, ReadsTheNumberAtTheStartOfATextTheWayTheDeviceListNeedsIt) {
    EXPECT_EQ(text_value("8192"), 8192);
    EXPECT_EQ(text_value("12abc"), 12);
    EXPECT_EQ(text_value("abc"), 0);
    EXPECT_EQ(text_value(""), 0);
    EXPECT_EQ(text_value("-.5"), -0.5);
    EXPECT_EQ(text_value("+7"), 7);
    EXPECT_EQ(text_value("1.2.3"), 1.2);
    EXPECT_EQ(text_value("-"), 0);
    EXPECT_EQ(text_value("."), 0);
}

TEST(TextValue, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(text_value(" 1 2"), 12);
    EXPECT_EQ(text_value("\t3\n4"), 34);
    EXPECT_EQ(text_value("- 5"), -5);
    EXPECT_EQ(text_value("& H 1 F"), 31);
    EXPECT_EQ(text_value("1 E 0 5"), 100000);
    EXPECT_EQ(text_value("2 . 5"), 2.5);
    // A carriage return is not skipped: it ends the number.
    EXPECT_EQ(text_value("5\r6"), 5);
}

TEST(TextValue, ReadsExponentsWrittenWithEOrD) {
    EXPECT_EQ(text_value("1e3"), 1000);
    EXPECT_EQ(text_value("2.5D1"), 25);
    EXPECT_EQ(text_value("2.5d-1"), 0.25);
    EXPECT_EQ(text_value("4E"), 4); // no exponent digits: the E is not part of it
    EXPECT_EQ(text_value("4e+"), 4);
}

TEST(TextValue, ReadsHexadecimalAndOctalWholeNumbers) {
    EXPECT_EQ(text_value("&HFF"), 255);
    EXPECT_EQ(text_value("&hff"), 255);
    EXPECT_EQ(text_value("&O17"), 15);
    EXPECT_EQ(text_value("&H1G"), 1);
    EXPECT_EQ(text_value("&X1"), 0);
    EXPECT_EQ(text_value("&"), 0);
    EXPECT_EQ(text_value("&H"), 0);
    EXPECT_EQ(text_value("&HG1"), 0);
    EXPECT_EQ(text_value("-&H10"), 0);
}

TEST(TextValue, OnlyAFullStopSeparatesAFraction) {
    EXPECT_EQ(text_value("2,5"), 2);
    EXPECT_EQ(text_value("2.5"), 2.5);
}

TEST(TextValue, HugeNumbersDoNotFault) {
    EXPECT_TRUE(std::isinf(text_value("1e999")));
    EXPECT_EQ(text_value("1e-999"), 0);
    EXPECT_EQ(round_half_even(text_value("1e999")), 2147483647);
    EXPECT_EQ(round_half_even(text_value("-1e999")), -2147483647 - 1);
    EXPECT_EQ(round_half_even(text_value("&HFFFFFFFFFFFFFFFFFFFF")), 2147483647);
}

TEST(TextValue, TellsTooLargeFromTooSmallByTheWholeNumberNotItsExponentSign) {
    const std::string zeros(400, '0');
    EXPECT_EQ(text_value("0." + zeros + "1"), 0);
    EXPECT_EQ(text_value("-0." + zeros + "1"), 0);
    EXPECT_TRUE(std::isinf(text_value("1" + zeros + "e-10")));
    EXPECT_EQ(text_value("-1" + zeros + "D-5"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(text_value("0." + zeros + "1E+5"), 0);
    EXPECT_EQ(text_value("0." + zeros + "1E+300"), 1e-101);
    EXPECT_EQ(text_value("1" + zeros + "e-390"), 1e10);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(round_half_even(2.5), 2);
    EXPECT_EQ(round_half_even(3.5), 4);
    EXPECT_EQ(round_half_even(-2.5), -2);
    EXPECT_EQ(round_half_even(8.5), 8);
    EXPECT_EQ(round_half_even(9.5), 10);
    EXPECT_EQ(round_half_even(2.6), 3);
    EXPECT_EQ(round_half_even(std::nan("")), 0);
}

TEST(WholePart, IsTheLargestWholeNumberNotAbove) {
    EXPECT_EQ(whole_part(2.99), 2);
    EXPECT_EQ(whole_part(-2.01), -3);
}

TEST(DecimalText, WritesTheShortestForm) {
    EXPECT_EQ(decimal_text(std::int64_t{-12}), "-12");
    EXPECT_EQ(decimal_text(std::int64_t{0}), "0");
    EXPECT_EQ(decimal_text(9600.5), "9600.5");
    EXPECT_EQ(decimal_text(9600.0), "9600");
    EXPECT_EQ(decimal_text(3000.0 / 1024), "2.9296875");
    EXPECT_EQ(decimal_text(0.5), "0.5");
    EXPECT_EQ(decimal_text(-1.25), "-1.25");
}

} // namespace
} // namespace pellandor
