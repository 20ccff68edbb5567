// Pages of 20 rows and the window's horizontal scroll bar.
#include <gtest/gtest.h>

#include <string>

#include "sim/sim_tag.h"
#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

void expect_page_one_of_25(const PeloxSession& s)
{
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ("P" + std::to_string(20 + row), s.text(1300 + row));
        EXPECT_EQ("parameter " + std::to_string(20 + row), s.text(1400 + row));
        EXPECT_EQ(std::to_string(20 + row), s.text(1100 + row));
        EXPECT_TRUE(s.visible(1100 + row));
        EXPECT_TRUE(s.enabled(1200 + row));
    }
    for (int row = 5; row < 20; ++row) {
        for (int base : {1100, 1200, 1300, 1400}) EXPECT_FALSE(s.visible(base + row)) << base + row;
    }
}

void expect_page_zero_of_25(const PeloxSession& s)
{
    for (int row = 0; row < 20; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ("P" + std::to_string(row), s.text(1300 + row));
        EXPECT_EQ(std::to_string(row), s.text(1100 + row));
        for (int base : {1100, 1200, 1300, 1400}) EXPECT_TRUE(s.visible(base + row));
    }
}

TEST(Paging, TwentyFiveParametersPageWithTheScrollBarArrows)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + int8_rows(25));
    s.set_up_tag([] { store_int8_rows(25); });
    ASSERT_TRUE(s.start());
    EXPECT_TRUE(s.has_scroll_bar());
    PeloxSession::ScrollState bar = s.scroll_state();
    ASSERT_TRUE(bar.read);
    EXPECT_EQ(0, bar.low);
    EXPECT_EQ(1, bar.high);
    EXPECT_EQ(0, bar.position);
    expect_page_zero_of_25(s);

    s.scroll(SB_LINERIGHT);
    expect_page_one_of_25(s);
    EXPECT_EQ(1, s.scroll_state().position);
    s.scroll(SB_LINERIGHT);  // already on the last page
    expect_page_one_of_25(s);
    // Only the arrows and the dragged thumb move pages; every other scroll code is ignored.
    for (int code : {SB_PAGELEFT, SB_PAGERIGHT, SB_THUMBPOSITION, SB_TOP, SB_BOTTOM, SB_ENDSCROLL}) {
        s.scroll(code);
        EXPECT_EQ("P20", s.text(1300)) << code;
    }
    expect_page_one_of_25(s);
    EXPECT_EQ(1, s.scroll_state().position);

    s.scroll(SB_LINELEFT);
    expect_page_zero_of_25(s);
    s.scroll(SB_LINELEFT);  // already on the first page
    expect_page_zero_of_25(s);
    EXPECT_EQ(0, s.scroll_state().position);
    EXPECT_EQ(0, s.close());
}

TEST(Paging, ArrowsAndThumbMoveThroughThreePages)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + int8_rows(45));
    s.set_up_tag([] { store_int8_rows(45); });
    ASSERT_TRUE(s.start());
    PeloxSession::ScrollState bar = s.scroll_state();
    ASSERT_TRUE(bar.read);
    EXPECT_EQ(0, bar.low);
    EXPECT_EQ(2, bar.high);
    EXPECT_EQ(0, bar.position);

    // Every drag notification lays out and reads the page under the thumb.
    s.drag_thumb_to_right_end();
    ASSERT_TRUE(s.wait_for_text(1300, "P40"));
    EXPECT_EQ("44", s.text(1104));
    EXPECT_FALSE(s.visible(1105));
    EXPECT_EQ(2, s.scroll_state().position);

    s.scroll(SB_LINELEFT);
    EXPECT_EQ("P20", s.text(1300));
    EXPECT_EQ("39", s.text(1119));
    EXPECT_EQ(1, s.scroll_state().position);
    s.scroll(SB_LINERIGHT);
    EXPECT_EQ("P40", s.text(1300));
    EXPECT_EQ(0, s.close());
}

TEST(Paging, TwentyParametersHaveNoScrollBar)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + int8_rows(20));
    s.set_up_tag([] { store_int8_rows(20); });
    ASSERT_TRUE(s.start());
    EXPECT_FALSE(s.has_scroll_bar());
    PeloxSession::ScrollState bar = s.scroll_state();
    ASSERT_TRUE(bar.read);
    EXPECT_EQ(0, bar.high);
    EXPECT_EQ("P19", s.text(1319));
    EXPECT_EQ("19", s.text(1119));
    EXPECT_EQ(0, s.close());
}

// A mark and a button's state belong to their page; and when the reader fails during a page
// change, no row keeps a value of the page before beside the new page's label.
TEST(Paging, NothingOfThePageBeforeStays)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + int8_rows(20) +
                "Name=\"Ver\" Description=\"a version\" Address=200 Type=swver Changeable\r\n");
    s.set_up_tag([] {
        store_int8_rows(20);
        store_value(200, 0x01020003, 4);
    });
    ASSERT_TRUE(s.start());
    s.type(1100, "300");
    s.click(1200);  // out of range for an int8: marked
    ASSERT_TRUE(box_turns(s.control(1100), RGB(255, 0, 0)));

    s.scroll(SB_LINERIGHT);
    EXPECT_EQ("Ver", s.text(1300));
    EXPECT_EQ("1.2.3", s.text(1100));
    EXPECT_FALSE(s.enabled(1200));  // a version is never written
    EXPECT_TRUE(box_turns(s.control(1100), GetSysColor(COLOR_WINDOW)));

    s.set_up_tag([] {
        store_int8_rows(20);
        sim_set_reader_absent(true);
    });
    s.scroll(SB_LINELEFT);
    EXPECT_EQ("P0", s.text(1300));
    EXPECT_EQ(" NFC connect reader error", s.text(1100));
    for (int row = 0; row < 20; ++row) {
        if (row > 0) {
            EXPECT_EQ("", s.text(1100 + row)) << row;
        }
        EXPECT_FALSE(s.enabled(1200 + row)) << row;
    }
    EXPECT_EQ(0, s.close());
}

}  // namespace
