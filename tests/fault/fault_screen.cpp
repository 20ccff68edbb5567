// Snapshot and comparison of the fake dialog surface.
#include "fault/fault_screen.h"

#include <gtest/gtest.h>

#include "dialog/surface.h"
#include "fakes/fake_surface.h"

Screen screen_now()
{
    Screen s;
    for (int row = 0; row < PAGE_ROWS; ++row) {
        s.box[row] = fake_text(ID_VALUE_BOX + row);
        s.button[row] = fake_control(ID_ROW_BUTTON + row).enabled;
    }
    s.caption = fakeWindow.caption;
    s.marked = errorField;
    return s;
}

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
