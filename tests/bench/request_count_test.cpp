// What a refresh, a page step and a write cost in reader traffic: one connection opening, one
// protocol selection and one identification per refresh, one read per block a visible parameter
// touches, nothing for hidden rows; a write presents the password once and reads and writes its
// covering blocks.
#include <gtest/gtest.h>

#include "bench/bench_sets.h"
#include "dialog/marking.h"
#include "dialog/actions.h"
#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/security_setup.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "sets/apply_run.h"
#include "sets/set_tag.h"
#include "support/program_fixture.h"
#include "traffic.h"

namespace {

using Requests = std::vector<std::string>;

struct Row {
    ParamType type;
    int32_t address;
    EditMode mode;
    int firstBlock;  // blocks the stored image touches, worked out by hand
    int blocks;
};

// A full page: every stored type at every offset within a block, one to three blocks each.
const Row kFullPage[PAGE_ROWS] = {
    {ParamType::int8, 0, EditMode::Changeable, 0, 1},       {ParamType::int8, 6, EditMode::Default, 1, 2},
    {ParamType::int16, 12, EditMode::DisplayOnly, 3, 1},    {ParamType::int16, 17, EditMode::Changeable, 4, 2},
    {ParamType::int32, 24, EditMode::Default, 6, 2},        {ParamType::int32, 35, EditMode::Changeable, 8, 3},
    {ParamType::time, 44, EditMode::Changeable, 11, 2},     {ParamType::time, 51, EditMode::DisplayOnly, 12, 3},
    {ParamType::swver, 60, EditMode::DisplayOnly, 15, 2},   {ParamType::swver, 67, EditMode::Default, 16, 3},
    {ParamType::int8, 77, EditMode::Changeable, 19, 1},     {ParamType::int8, 83, EditMode::DisplayOnly, 20, 2},
    {ParamType::int16, 88, EditMode::Default, 22, 1},       {ParamType::int16, 94, EditMode::Changeable, 23, 2},
    {ParamType::int32, 100, EditMode::DisplayOnly, 25, 2},  {ParamType::int32, 110, EditMode::Changeable, 27, 2},
    {ParamType::time, 118, EditMode::Default, 29, 2},       {ParamType::int8, 125, EditMode::Changeable, 31, 1},
    {ParamType::int16, 1020, EditMode::Changeable, 255, 1}, {ParamType::int32, 1015, EditMode::Default, 253, 3},
};
const long kFullPageBlocks = 38;

const Traffic kOpenAndIdentify = {{"connect", 1}, {"select", 1}, {"system_info", 1}};

Traffic refresh_traffic(long blocks)
{
    Traffic expected = kOpenAndIdentify;
    if (blocks > 0) expected["read_block"] = blocks;
    return expected;
}

std::string block_request(const char* command, int block)
{
    char text[8];
    snprintf(text, sizeof text, "%s%02X", command, block);
    return text;
}

class RefreshCost : public ProgramTest {
protected:
    void add_full_page()
    {
        for (const Row& row : kFullPage) add_param("p", row.type, row.address, row.mode);
    }
};

TEST_F(RefreshCost, FullPageIsOneOpeningOneIdentificationAndOneReadPerBlock)
{
    add_full_page();
    refresh_page();
    EXPECT_EQ(traffic(), refresh_traffic(kFullPageBlocks));

    Requests expected = {"010D", "022B"};
    for (const Row& row : kFullPage)
        for (int b = 0; b < row.blocks; ++b) expected.push_back(block_request("0220", row.firstBlock + b));
    EXPECT_EQ(request_heads(), expected);
}

TEST_F(RefreshCost, NothingIsKeptFromOneRefreshToTheNext)
{
    add_full_page();
    refresh_page();
    refresh_page();
    refresh_page();
    EXPECT_EQ(traffic(),
              (Traffic{{"connect", 3}, {"select", 3}, {"system_info", 3}, {"read_block", 3 * kFullPageBlocks}}));
}

TEST_F(RefreshCost, HiddenRowsCostNothing)
{
    add_param("a", ParamType::int32, 3, EditMode::Changeable);  // blocks 0, 1, 2
    add_param("gap", ParamType::empty, 0);
    add_param("gap", ParamType::empty, 40);
    add_param("b", ParamType::int8, 8);  // block 2
    add_param("gap", ParamType::empty, 0);
    refresh_page();
    EXPECT_EQ(traffic(), refresh_traffic(4));
    EXPECT_EQ(request_heads(), (Requests{"010D", "022B", "022000", "022001", "022002", "022002"}));
}

TEST_F(RefreshCost, RowsBeyondTheLoadedRecordsOnTheLastPageCostNothing)
{
    fill_table(25);  // int8 at 4 * i: one block each
    currentPage = 1;
    refresh_page();
    EXPECT_EQ(traffic(), refresh_traffic(5));
    EXPECT_EQ(request_heads(), (Requests{"010D", "022B", "022014", "022015", "022016", "022017", "022018"}));

    SetUp();
    fill_table(41);
    currentPage = 2;
    refresh_page();
    EXPECT_EQ(traffic(), refresh_traffic(1));
}

TEST_F(RefreshCost, ConnectionFallbackIsStillOneOpening)
{
    add_full_page();
    ASSERT_TRUE(sim_fail_call(SIM_CONNECT, 1));
    refresh_page();
    Traffic expected = refresh_traffic(kFullPageBlocks);
    expected["check"] = 1;
    EXPECT_EQ(traffic(), expected);
}

TEST_F(RefreshCost, FailuresStopTheTrafficWhereTheyHappen)
{
    add_full_page();
    sim_set_select_refused(true);
    refresh_page();
    EXPECT_EQ(traffic(), (Traffic{{"connect", 1}, {"select", 1}}));

    clear_traffic();
    sim_set_select_refused(false);
    sim_leave_field();
    refresh_page();
    EXPECT_EQ(traffic(), kOpenAndIdentify);  // no device: no reads

    // A failed read costs its own request only; the next rows are read as usual.
    clear_traffic();
    sim_enter_field();
    ASSERT_TRUE(sim_fail_call(SIM_READ_BLOCK, 2));  // row 1's first block
    refresh_page();
    EXPECT_EQ(traffic(), refresh_traffic(kFullPageBlocks - 1));
    EXPECT_STREQ(fake_text(1101), "No answer");
}

class PageStepCost : public ProgramTest {};

TEST_F(PageStepCost, EveryStepIsOneRefreshOfTheNewPage)
{
    fill_table(45);  // pages 0 and 1 full, page 2 holds 5 parameters
    step_page(STEP_FORWARD, 0);
    EXPECT_EQ(traffic(), refresh_traffic(20));
    EXPECT_EQ(request_heads()[2], "022014");  // record 20 at address 80

    clear_traffic();
    step_page(STEP_TO, 2);
    EXPECT_EQ(traffic(), refresh_traffic(5));

    clear_traffic();
    step_page(STEP_FORWARD, 2);  // already the last page: stays, and is read again
    EXPECT_EQ(traffic(), refresh_traffic(5));

    clear_traffic();
    step_page(STEP_BACK, 0);
    EXPECT_EQ(traffic(), refresh_traffic(20));
}

TEST_F(PageStepCost, TimerTicksReadOnlyWhileScanning)
{
    fill_table(3);
    dialog_timer();
    EXPECT_EQ(traffic(), Traffic{});
    scanEnabled = 1;
    dialog_timer();
    EXPECT_EQ(traffic(), refresh_traffic(3));
}

struct WriteCase {
    ParamType type;
    int32_t address;
    const char* typed;
    Requests heads;  // password, covering reads, covering writes, read-back
};

class WriteCost : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        password = 0x1A2B3C4D;
    }
};

// One password, the covering blocks read for the merge and written, then read back once each.
TEST_F(WriteCost, OnePasswordThenTheCoveringBlocksReadWrittenAndReadBack)
{
    const char* pw = "02B302011A2B3C4D";
    const WriteCase cases[] = {
        {ParamType::int8, 0, "-5", {pw, "022000", "022100", "022000"}},
        {ParamType::int8, 2, "7", {pw, "022000", "022001", "022100", "022101", "022000", "022001"}},
        {ParamType::int16, 4, "300", {pw, "022001", "022101", "022001"}},
        {ParamType::int16, 7, "-300", {pw, "022001", "022002", "022101", "022102", "022001", "022002"}},
        {ParamType::int32, 8, "100000", {pw, "022002", "022003", "022102", "022103", "022002", "022003"}},
        {ParamType::int32,
         11,
         "-1",
         {pw, "022002", "022003", "022004", "022102", "022103", "022104", "022002", "022003", "022004"}},
        {ParamType::time, 20, "1700000000", {pw, "022005", "022006", "022105", "022106", "022005", "022006"}},
        {ParamType::time,
         23,
         "0",
         {pw, "022005", "022006", "022007", "022105", "022106", "022107", "022005", "022006", "022007"}},
    };
    for (const WriteCase& c : cases) {
        SetUp();
        add_param("w", c.type, c.address, EditMode::Changeable);
        set_field_text(1100, c.typed);
        write_param(0);
        long blocks = static_cast<long>(c.heads.size() - 1) / 3;
        EXPECT_EQ(traffic(), (Traffic{{"present_password", 1}, {"read_block", 2 * blocks}, {"write_block", blocks}}))
            << c.typed << " at " << c.address;
        EXPECT_EQ(request_heads(), c.heads) << c.typed << " at " << c.address;
        EXPECT_EQ(first_red_box(), NO_FIELD) << "the write failed";
    }
}

TEST_F(WriteCost, DefaultValuesCostTheSame)
{
    add_param("d", ParamType::int32, 11, EditMode::Default, 1000);
    write_param(0);
    EXPECT_EQ(traffic(), (Traffic{{"present_password", 1}, {"read_block", 6}, {"write_block", 3}}));
}

TEST_F(WriteCost, NothingIsSentForValuesThatAreNotWritten)
{
    add_param("i8", ParamType::int8, 0, EditMode::Changeable);
    add_param("sw", ParamType::swver, 8, EditMode::Changeable);
    add_param("ro", ParamType::int16, 16, EditMode::DisplayOnly);
    const char* texts[] = {"128", "", "abc", "99999999999"};
    for (const char* text : texts) {
        set_field_text(1100, text);
        write_param(0);
    }
    set_field_text(1101, "5");
    write_param(1);
    set_field_text(1102, "5");
    write_param(2);
    EXPECT_EQ(traffic(), Traffic{});
}

TEST_F(WriteCost, ARefusedBlockEndsTheWrite)
{
    add_param("w", ParamType::int32, 11, EditMode::Changeable);
    set_field_text(1100, "5");
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_BLOCK, 2));
    write_param(0);
    EXPECT_EQ(traffic(), (Traffic{{"present_password", 1}, {"read_block", 3}, {"write_block", 2}}));
    EXPECT_EQ(first_red_box(), 1100);
}

TEST_F(WriteCost, SecuritySetupIsARefreshAndFiveRequests)
{
    add_param("a", ParamType::int32, 3, EditMode::Changeable);  // blocks 0, 1, 2
    security_setup();
    Traffic expected = refresh_traffic(3);
    expected["present_password"] = 2;
    expected["lock_sector"] = 2;
    expected["write_password"] = 1;
    EXPECT_EQ(traffic(), expected);
}

// The example set on a factory-fresh tag: 19 parameters in 26 blocks, of which 25 distinct (Lang
// and Beep share block 66), all worked out by hand from examples/Pelox.ini.
TEST_F(WriteCost, TheExampleSetIs79RequestsPlannedAnd97ByTheButtons)
{
    auto set = std::make_unique<ParamSet>();
    auto report = std::make_unique<SetReport>();
    ASSERT_TRUE(bench_load_example_set(set.get()));
    bench_fresh_tag();
    clear_traffic();
    ASSERT_EQ(apply_tag_set(*set, report.get()), SetOutcome::ok);
    // Identification, each block read once, identification again, one password, each block
    // written once and read back, identification once more.
    EXPECT_EQ(traffic(), (Traffic{{"connect", 1},
                                  {"select", 1},
                                  {"system_info", 3},
                                  {"read_block", 25 + 25},
                                  {"present_password", 1},
                                  {"write_block", 25}}));
    EXPECT_EQ(sim_calls(SIM_ANY_REQUEST), 79);
    std::vector<uint8_t> planned = whole_memory();

    // A password, the covering blocks read, written and read back, for each of the 19.
    bench_fresh_tag();
    clear_traffic();
    write_set_by_buttons(*report, *set);
    EXPECT_EQ(first_red_box(), NO_FIELD) << "a write failed";
    EXPECT_EQ(traffic(), (Traffic{{"present_password", 19}, {"read_block", 26 + 26}, {"write_block", 26}}));
    EXPECT_EQ(sim_calls(SIM_ANY_REQUEST), 97);
    EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(planned));

    // Applied again: identification and the reads alone.
    clear_traffic();
    ASSERT_EQ(apply_tag_set(*set, report.get()), SetOutcome::ok);
    EXPECT_EQ(sim_calls(SIM_ANY_REQUEST), 1 + 25);
}

}  // namespace
