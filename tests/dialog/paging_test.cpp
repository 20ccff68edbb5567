// Page layout and page steps: which rows show, their texts and states, and the page a step
// lands on, with its refresh.
#include <gtest/gtest.h>

#include "dialog/marking.h"
#include "dialog/paging.h"
#include "dialog/surface.h"
#include "dialog/text_code.h"
#include "support/program_fixture.h"
#include "support/reference_image.h"

namespace {

class Paging : public ProgramTest {};

bool row_visible(int row)
{
    return fake_control(1100 + row).visible && fake_control(1200 + row).visible && fake_control(1300 + row).visible &&
           fake_control(1400 + row).visible;
}

bool row_hidden(int row)
{
    return !fake_control(1100 + row).visible && !fake_control(1200 + row).visible &&
           !fake_control(1300 + row).visible && !fake_control(1400 + row).visible;
}

TEST_F(Paging, LayoutByMode)
{
    add_param("Vmax", ParamType::int16, 0, EditMode::Changeable);
    add_param("Mode", ParamType::int8, 4, EditMode::Default, 3);
    add_param("Hours", ParamType::int32, 8, EditMode::DisplayOnly);
    show_page(0);
    EXPECT_STREQ(fake_text(1300), "Vmax");
    EXPECT_STREQ(fake_text(1400), "Vmax description");
    EXPECT_TRUE(fake_control(1300).enabled);
    EXPECT_TRUE(fake_control(1400).enabled);
    EXPECT_STREQ(fake_text(1200), "set");
    EXPECT_STREQ(fake_text(1201), "def.");
    EXPECT_STREQ(fake_text(1202), "");  // display only: no caption
    EXPECT_FALSE(fake_control(1100).readOnly);
    EXPECT_TRUE(fake_control(1101).readOnly);
    EXPECT_TRUE(fake_control(1102).readOnly);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(fake_control(1100 + row).enabled) << row;
        EXPECT_FALSE(fake_control(1200 + row).enabled) << row;  // left to the refresh
        EXPECT_TRUE(row_visible(row)) << row;
    }
    for (int row = 3; row < 20; ++row) EXPECT_TRUE(row_hidden(row)) << row;

    // One text, two codes: a label widens as its file was written, what was typed as the UTF-8 it is.
    configText = ConfigText::ansi;
    EXPECT_EQ(text_code(field_text_origin(1300), "St\xC3\xB6r"), TextCode::ansi);
    EXPECT_EQ(text_code(field_text_origin(1100), "St\xC3\xB6r"), TextCode::utf8);
    configText = ConfigText::ascii;
}

TEST_F(Paging, RowsThatCannotBeWrittenHaveNoCaptionAfterPaging)
{
    fill_table(20);  // all Changeable: captions "set"
    add_param("RO", ParamType::int8, 200, EditMode::DisplayOnly);
    add_param("SW", ParamType::swver, 204, EditMode::Changeable);
    show_page(0);
    show_page(20);
    EXPECT_STREQ(fake_text(1200), "");
    EXPECT_STREQ(fake_text(1201), "");
    EXPECT_STREQ(fake_text(1300), "RO");
}

TEST_F(Paging, EmptyRowsLeaveAGap)
{
    add_param("a", ParamType::int8, 0, EditMode::Changeable);
    add_param("gap", ParamType::empty, 0);
    add_param("b", ParamType::int8, 4, EditMode::Changeable);
    show_page(0);
    EXPECT_TRUE(row_visible(0));
    EXPECT_TRUE(row_hidden(1));
    EXPECT_TRUE(row_visible(2));
    EXPECT_STREQ(fake_text(1302), "b");
    EXPECT_STREQ(fake_text(1301), "");  // hidden rows keep their texts
}

TEST_F(Paging, StepsStopAtBothEndsAndStillRefresh)
{
    fill_table(45);  // pages 0 to 2
    put_memory(0, reference_image(7, 1));
    EXPECT_EQ(step_page(STEP_BACK, 0), 0);
    EXPECT_EQ(currentPage, 0);
    EXPECT_STREQ(fake_text(1100), "7");
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 1);

    EXPECT_EQ(step_page(STEP_FORWARD, 0), 1);
    EXPECT_EQ(step_page(STEP_FORWARD, 1), 2);
    EXPECT_EQ(step_page(STEP_FORWARD, 2), 2);
    EXPECT_EQ(currentPage, 2);
    for (int row = 0; row < 5; ++row) EXPECT_TRUE(row_visible(row)) << row;
    for (int row = 5; row < 20; ++row) EXPECT_TRUE(row_hidden(row)) << row;
    EXPECT_STREQ(fake_text(1300), "P40");
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 4);

    EXPECT_EQ(step_page(STEP_BACK, 2), 1);
    EXPECT_STREQ(fake_text(1300), "P20");
    EXPECT_STREQ(fake_text(1319), "P39");
}

TEST_F(Paging, DragGoesToThePageAndKeepsItInsideTheTable)
{
    fill_table(100);
    EXPECT_EQ(step_page(STEP_TO, 4), 4);
    EXPECT_STREQ(fake_text(1319), "P99");
    EXPECT_EQ(step_page(STEP_TO, 4), 4);  // every drag notification lays out and refreshes
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 2);
    EXPECT_EQ(step_page(STEP_TO, 9), 4);
    EXPECT_EQ(step_page(STEP_TO, -3), 0);
}

TEST_F(Paging, FortyParametersLeaveTheLastPageEmpty)
{
    fill_table(40);
    EXPECT_EQ(lastPage, 2u);
    EXPECT_EQ(step_page(STEP_TO, 2), 2);
    for (int row = 0; row < 20; ++row) EXPECT_TRUE(row_hidden(row)) << row;
}

TEST_F(Paging, PageChangeWhileTheReaderFails)
{
    fill_table(25);
    put_memory(0, reference_image(11, 1));
    put_memory(4, reference_image(12, 1));
    step_page(STEP_TO, 0);
    ASSERT_STREQ(fake_text(1101), "12");
    mark_refused(1101 - IDC_VALUE_BOX, "refused");
    sim_set_reader_absent(true);
    EXPECT_EQ(step_page(STEP_FORWARD, 0), 1);
    // The new page's labels, row 0 holding the message, and nothing of the old page: its value
    // beside a new label, with the button enabled, would write it into the wrong parameter.
    EXPECT_STREQ(fake_text(1300), "P20");
    EXPECT_STREQ(fake_text(1100), " NFC connect reader error");
    EXPECT_STREQ(fake_text(1101), "");
    EXPECT_FALSE(fake_control(1200).enabled);
    EXPECT_FALSE(fake_control(1201).enabled);
    EXPECT_EQ(first_red_box(), NO_FIELD);  // a mark belongs to its page
}

}  // namespace
