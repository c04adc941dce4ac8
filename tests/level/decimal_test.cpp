#include <gtest/gtest.h>

#include "level/decimal.h"

namespace qzt {
namespace {

TEST(Decimal, ParsesLikeTheStandardConversion) {
    EXPECT_EQ(parseDecimal("123"), 123);
    EXPECT_EQ(parseDecimal("  \t-45xyz"), -45);
    EXPECT_EQ(parseDecimal("+7"), 7);
    EXPECT_EQ(parseDecimal("007"), 7);
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("abc"), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
    EXPECT_EQ(parseDecimal("3.9"), 3);
}

TEST(Decimal, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(parseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(parseDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseDecimal("2147483648"), 2147483647);
    EXPECT_EQ(parseDecimal("4294967296"), 2147483647);
    EXPECT_EQ(parseDecimal("-99999999999999999999999"), -2147483647 - 1);
}

TEST(Decimal, WritesWithSignAndNoLeadingZeros) {
    std::string out;
    for (int32_t value : {0, 7, -3, 1200, 2147483647, -2147483647 - 1}) {
        appendDecimal(out, value);
        out += ',';
    }
    EXPECT_EQ(out, "0,7,-3,1200,2147483647,-2147483648,");
}

}  // namespace
}  // namespace qzt
