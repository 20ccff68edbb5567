// Number reading from text: what "%d", "%x" and atoi read, without ever overflowing.
#include <gtest/gtest.h>

#include "model/text_number.h"

namespace {

TEST(TextNumber, DecimalLikePercentD)
{
    int32_t v = 0;
    const char* end = nullptr;
    EXPECT_EQ(scan_decimal(" \t-5xyz", &v, &end), NumberScan::ok);
    EXPECT_EQ(v, -5);
    EXPECT_STREQ(end, "xyz");
    EXPECT_EQ(scan_decimal("+12", &v), NumberScan::ok);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(scan_decimal("2147483647", &v), NumberScan::ok);
    EXPECT_EQ(v, 2147483647);
    EXPECT_EQ(scan_decimal("-2147483648", &v), NumberScan::ok);
    EXPECT_EQ(v, -2147483647 - 1);
    v = 77;
    for (const char* none : {"", "   ", "-", "+ 1", "abc", "- 5", "\n"}) {
        EXPECT_EQ(scan_decimal(none, &v), NumberScan::none) << none;
        EXPECT_EQ(v, 77);
    }
    for (const char* big :
         {"2147483648", "-2147483649", "99999999999999999999999999", "00000000000000000000002147483648"}) {
        EXPECT_EQ(scan_decimal(big, &v), NumberScan::overflow) << big;
        EXPECT_EQ(v, 77);
    }
    EXPECT_EQ(scan_decimal("000000000000000000000000042", &v), NumberScan::ok);
    EXPECT_EQ(v, 42);
}

TEST(TextNumber, WholeDecimalTakesNothingElse)
{
    int32_t v = 0;
    EXPECT_EQ(scan_whole_decimal(" \t-5 \t", &v), NumberScan::ok);
    EXPECT_EQ(v, -5);
    EXPECT_EQ(scan_whole_decimal("+0012", &v), NumberScan::ok);
    EXPECT_EQ(v, 12);
    v = 77;
    for (const char* other : {"", " ", "0x7F", "1.9e2", "12abc", "1,500", "12 3", "5V", "-", "--5"}) {
        EXPECT_EQ(scan_whole_decimal(other, &v), NumberScan::none) << other;
        EXPECT_EQ(v, 77);
    }
    EXPECT_EQ(scan_whole_decimal(" 2147483648 ", &v), NumberScan::overflow);
}

TEST(TextNumber, HexLikePercentX)
{
    uint32_t v = 0;
    EXPECT_EQ(scan_hex("1a2B", &v), NumberScan::ok);
    EXPECT_EQ(v, 0x1A2Bu);
    EXPECT_EQ(scan_hex(" 0xFFFFFFFF", &v), NumberScan::ok);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    EXPECT_EQ(scan_hex("-1", &v), NumberScan::ok);
    EXPECT_EQ(v, 0xFFFFFFFFu);
    EXPECT_EQ(scan_hex("0xg", &v), NumberScan::ok);  // the 0 is the number
    EXPECT_EQ(v, 0u);
    EXPECT_EQ(scan_hex("100000000", &v), NumberScan::overflow);
    EXPECT_EQ(scan_hex("0x", &v), NumberScan::ok);
    EXPECT_EQ(scan_hex("x1", &v), NumberScan::none);
    EXPECT_EQ(scan_hex("", &v), NumberScan::none);
}

}  // namespace
