// Page refresh against the simulated tag: caption, values, "Not set", "No answer", buttons and
// the traffic a refresh costs.
#include <gtest/gtest.h>

#include "dialog/marking.h"
#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "support/program_fixture.h"
#include "support/reference_image.h"
#include "support/time_zone.h"

namespace {

using Requests = std::vector<std::string>;

class Refresh : public ProgramTest {};

TEST_F(Refresh, CaptionShowsTheUidMostSignificantByteFirst)
{
    sim_set_uid(0x0123456789ABCDEFull);  // sent least significant byte first
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      0123456789ABCDEF   ");
    EXPECT_EQ(strlen(fakeWindow.caption), 34u);
    sim_set_uid(0xEFCDAB8967452301ull);  // answer characters 8-23 read 0123456789ABCDEF
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE      EFCDAB8967452301   ");
}

TEST_F(Refresh, ValuesNotSetAndButtonsByMode)
{
    add_param("i8", ParamType::int8, 0, EditMode::Changeable);
    add_param("i16", ParamType::int16, 5, EditMode::DisplayOnly);
    add_param("i32", ParamType::int32, 10, EditMode::Default, 1000);
    add_param("t", ParamType::time, 16, EditMode::Changeable);
    add_param("sw", ParamType::swver, 24, EditMode::DisplayOnly);
    add_param("erased", ParamType::int16, 40, EditMode::Default);
    put_memory(0, reference_image(static_cast<uint32_t>(-5) & 0xFF, 1));
    put_memory(5, reference_image(300, 2));
    put_memory(10, reference_image(1000, 4));
    put_memory(16, reference_image(86400, 4));
    put_memory(24, {0x01, 0x02, 0x00, 0x03, 0x69, 0x5F});
    set_time_zone("CET-1");
    enable_control(1204, true);  // as a page before may have left them
    enable_control(1201, true);

    refresh_page();
    EXPECT_STREQ(fake_text(1100), "-5");
    EXPECT_STREQ(fake_text(1101), "300");
    EXPECT_STREQ(fake_text(1102), "1000");
    EXPECT_STREQ(fake_text(1103), "1970-01-02 01:00:00");
    EXPECT_STREQ(fake_text(1104), "1.2.3");
    EXPECT_STREQ(fake_text(1105), "Not set");
    EXPECT_TRUE(fake_control(1200).enabled);
    EXPECT_FALSE(fake_control(1201).enabled);  // display only
    EXPECT_TRUE(fake_control(1202).enabled);
    EXPECT_TRUE(fake_control(1203).enabled);
    EXPECT_FALSE(fake_control(1204).enabled);  // a software version is never written
    EXPECT_TRUE(fake_control(1205).enabled);   // never written, so it can be written

    enable_control(1204, false);
    refresh_page();
    EXPECT_FALSE(fake_control(1204).enabled);
}

TEST_F(Refresh, TrafficIsOneReadPerBlockOfEachVisibleParameter)
{
    add_param("a", ParamType::int8, 1, EditMode::Changeable);   // block 0
    add_param("b", ParamType::int8, 3, EditMode::Changeable);   // blocks 0, 1
    add_param("c", ParamType::int32, 7, EditMode::Changeable);  // blocks 1, 2, 3
    add_param("gap", ParamType::empty, 0);
    add_param("d", ParamType::swver, 1016);  // blocks 254, 255
    refresh_page();
    EXPECT_EQ(requests(), (Requests{"010D", "022B", "022000", "022000", "022001", "022001", "022002", "022003",
                                    "0220FE", "0220FF"}));
    EXPECT_STREQ(fake_text(1103), "Unknown Type");  // hidden by the layout
}

TEST_F(Refresh, AFailingReadShowsNoAnswerAndTheLoopGoesOn)
{
    add_param("a", ParamType::int16, 0, EditMode::Changeable);
    add_param("b", ParamType::swver, 8, EditMode::Default);
    add_param("c", ParamType::int8, 16, EditMode::Changeable);
    put_memory(16, reference_image(9, 1));
    enable_control(1200, true);
    enable_control(1201, true);
    ASSERT_TRUE(sim_fail_call(SIM_READ_BLOCK, 1));
    ASSERT_TRUE(sim_flag_answer(SIM_READ_BLOCK, 2, 0x15));  // refused by a read-protected block
    refresh_page();
    EXPECT_STREQ(fake_text(1100), "No answer");
    EXPECT_FALSE(fake_control(1200).enabled);
    EXPECT_STREQ(fake_text(1101), "No answer");
    EXPECT_FALSE(fake_control(1201).enabled);  // a failed read disables even a version's button
    EXPECT_STREQ(fake_text(1102), "9");
    EXPECT_TRUE(fake_control(1202).enabled);
}

TEST_F(Refresh, NoDeviceEmptiesEveryBoxAndDisablesTheButtons)
{
    add_param("a", ParamType::int8, 0, EditMode::Changeable);
    put_memory(0, reference_image(1, 1));
    refresh_page();
    ASSERT_STREQ(fake_text(1100), "1");
    set_field_text(1119, "stale");
    mark_refused(1100 - IDC_VALUE_BOX, "refused");
    sim_leave_field();
    refresh_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE   no device");
    for (int row = 0; row < 20; ++row) EXPECT_STREQ(fake_text(1100 + row), "") << row;
    EXPECT_FALSE(fake_control(1200).enabled);  // it would write what the box no longer shows
    EXPECT_EQ(first_red_box(), NO_FIELD);      // "read" ends the mark
    EXPECT_EQ(requests().back(), "022B");
}

TEST_F(Refresh, ReaderFailureLeavesOnlyTheMessage)
{
    add_param("a", ParamType::int8, 0, EditMode::Changeable);
    add_param("b", ParamType::int8, 4, EditMode::Changeable);
    put_memory(0, reference_image(1, 1));
    put_memory(4, reference_image(2, 1));
    refresh_page();
    mark_refused(1101 - IDC_VALUE_BOX, "refused");
    sim_set_select_refused(true);
    refresh_page();
    EXPECT_STREQ(fake_text(1100), "NFC select ISO error");
    EXPECT_STREQ(fake_text(1101), "");
    EXPECT_FALSE(fake_control(1200).enabled);
    EXPECT_FALSE(fake_control(1201).enabled);
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE");  // no UID that did not answer
    sim_set_select_refused(false);
    sim_set_reader_absent(true);
    refresh_page();
    EXPECT_STREQ(fake_text(1100), " NFC connect reader error");
}

TEST_F(Refresh, ASuccessfulIdentificationClearsTheMark)
{
    add_param("a", ParamType::int8, 0, EditMode::Changeable);
    mark_refused(1100 - IDC_VALUE_BOX, "refused");
    EXPECT_EQ(colour_query(1100), BoxColour::error);
    refresh_page();
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_EQ(colour_query(1100), BoxColour::ordinary);  // drawn once more in its ordinary look
    EXPECT_EQ(colour_query(1100), BoxColour::system);
}

// A scan refreshes only what the user is not working on: a box typed into since the last
// refresh, the box with the focus and the marked box keep their text, the mark stays, and a
// failing tag does not wipe them either.
TEST_F(Refresh, ScanLeavesTypedFocusedAndMarkedBoxesAlone)
{
    for (int i = 0; i < 4; ++i)
        add_param("p", ParamType::int8, 4 * i, i < 3 ? EditMode::Changeable : EditMode::Default);
    for (int i = 0; i < 4; ++i) put_memory(4 * i, reference_image(static_cast<uint32_t>(10 + i), 1));
    refresh_page();
    fake_type(1100, "7");  // typed into, then the user went on
    set_field_text(1102, "99");
    mark_refused(1102 - IDC_VALUE_BOX, "refused");  // a failed write
    fakeWindow.focus = 1101;                        // the user clicked into row 1's box
    put_memory(4, reference_image(44, 1));
    put_memory(12, reference_image(33, 1));

    scan_page();
    EXPECT_STREQ(fake_text(1100), "7");
    EXPECT_STREQ(fake_text(1101), "11");
    EXPECT_STREQ(fake_text(1102), "99");
    EXPECT_EQ(first_red_box(), 1102);
    EXPECT_STREQ(fake_text(1103), "33");  // the rest is up to date
    EXPECT_EQ(sim_calls(SIM_READ_BLOCK), 4 + 1);
    fakeWindow.focus = 1103;  // a read-only box with the focus (its row's "def." was pressed)
    put_memory(12, reference_image(55, 1));
    scan_page();
    EXPECT_STREQ(fake_text(1103), "55");
    fakeWindow.focus = 1101;

    sim_leave_field();
    scan_page();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE   no device");
    EXPECT_STREQ(fake_text(1100), "7");
    EXPECT_STREQ(fake_text(1101), "44");
    EXPECT_STREQ(fake_text(1102), "99");
    EXPECT_STREQ(fake_text(1103), "");
    EXPECT_EQ(first_red_box(), 1102);

    sim_enter_field();
    refresh_page();  // "read": everything from the tag, the mark gone
    EXPECT_STREQ(fake_text(1100), "10");
    EXPECT_STREQ(fake_text(1101), "44");
    EXPECT_EQ(first_red_box(), NO_FIELD);
}

TEST_F(Refresh, LaterPagesVisitRowsUpToEntryCountNotRecords)
{
    fill_table(25);
    put_memory(80, reference_image(42, 1));  // record 20
    currentPage = 1;
    refresh_page();
    Requests expected = {"010D", "022B", "022014", "022015", "022016", "022017", "022018"};
    EXPECT_EQ(requests(), expected);
    EXPECT_STREQ(fake_text(1100), "42");
    EXPECT_STREQ(fake_text(1101), "Not set");
    // Rows 5 to 19 hold unused records: hidden, and given "Unknown Type" without traffic.
    for (int row = 5; row < 20; ++row) EXPECT_STREQ(fake_text(1100 + row), "Unknown Type") << row;
}

TEST_F(Refresh, FewerParametersThanRowsLeaveTheOtherBoxesAlone)
{
    fill_table(3);
    set_field_text(1105, "untouched");
    refresh_page();
    EXPECT_STREQ(fake_text(1105), "untouched");
    EXPECT_EQ(sim_calls(SIM_READ_BLOCK), 3);
}

}  // namespace
