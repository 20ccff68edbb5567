// Comparison of the fake dialog surface with a predicted screen.
#include "fault/fault_screen.h"

#include <gtest/gtest.h>

void expect_screen(const Screen& expected, const std::string& where)
{
    Screen now = screen_now();
    for (int row = 0; row < PAGE_ROWS; ++row) {
        EXPECT_EQ(now.box[row], expected.box[row]) << where << ", value box of row " << row;
        EXPECT_EQ(now.button[row], expected.button[row]) << where << ", button of row " << row;
    }
    EXPECT_EQ(now.caption, expected.caption) << where;
    EXPECT_EQ(now.marked, expected.marked) << where << ", marked box";
}
