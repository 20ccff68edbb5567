// Sets and the simulated tag: the save, compare, apply round trip; what apply writes and skips
// and that nothing else changes; the plan without a tag; sets that do not fit the configuration;
// a save that cannot read everything.
#include <gtest/gtest.h>

#include "model/config_load.h"
#include "pelox_version.h"
#include "sets/apply_plan.h"
#include "sets/apply_run.h"
#include "sets/set_support.h"
#include "sets/set_tag.h"
#include "support/reference_image.h"
#include "traffic.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put_value(int32_t address, uint32_t value, int width)
{
    Bytes image = reference_image(value, width);
    ASSERT_TRUE(sim_write_memory(address, image.data(), static_cast<int>(image.size())));
}

TEST_F(ExampleTest, SaveCompareChangeCompareApplyCompare)
{
    Bytes original = whole_memory();
    ASSERT_EQ(save_tag_set(1796771600, set.get(), report.get()), SetOutcome::ok);
    std::string text = written(*set);
    EXPECT_EQ(text.substr(0, text.find("\"HW\"")),
              std::string("# Pelox parameter set\ntool ") + PELOX_VERSION_TEXT +
                  "\nuid E00208115C3A77D1\nsaved 2026-12-08 23:13:20 UTC\n"
                  "configuration 27 parameters, fingerprint 71BC9A5E\n\"SW\" 0 swver 33816593   # 2.4.17\n");
    for (const char* line :
         {"\n\"Made\" 20 time 1678614600   # 2023-03-12 09:50:00 UTC\n", "\n\"Tmin\" 52 int16 -200\n",
          "\n\"Vmin\" 56 int16 not-set\n", "\n\"Cal\" 96 int8 -3\n", "\n\"Cust\" 288 int32 40711\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    auto saved = std::make_unique<ParamSet>();
    read_set(text, saved.get());
    EXPECT_EQ(compare_tag_set(*saved, report.get()), SetOutcome::ok);
    // The five parameters the tag holds no valid value for are "not-set": left alone, not compared.
    EXPECT_EQ(report_lines(*report, *saved).back(), "E00208115C3A77D1: ok: same 21, skipped 5");

    put_value(36, 2, 1);    // Mode, Changeable
    put_value(48, 900, 2);  // Tmax, Changeable
    put_value(80, 700, 4);  // Log, Default=600
    put_value(104, 7, 2);   // Alarm, display only
    put_value(262, 0, 1);   // Lang, sharing block 65 with Boot and block 66 with Beep
    EXPECT_EQ(compare_tag_set(*saved, report.get()), SetOutcome::different);
    EXPECT_EQ(item_line(*report, *saved, "Mode"), "\"Mode\" (36, int8): different: set 1, tag 2");
    EXPECT_EQ(report_lines(*report, *saved).back(), "E00208115C3A77D1: different: same 16, different 5, skipped 5");

    clear_traffic();
    EXPECT_EQ(apply_tag_set(*saved, report.get()), SetOutcome::ok);
    EXPECT_EQ(item_line(*report, *saved, "Log"), "\"Log\" (80, int32): written 600, was 700");
    EXPECT_EQ(item_line(*report, *saved, "Alarm"), "\"Alarm\" (104, int16): skipped: display only");
    EXPECT_EQ(report_lines(*report, *saved).back(), "E00208115C3A77D1: ok: written 4, same 10, skipped 12");
    // Blocks 9, 12, 20, 21, 65 and 66 differ: each written once, merged, and read back once.
    EXPECT_EQ(traffic(), (Traffic{{"connect", 1},
                                  {"select", 1},
                                  {"system_info", 3},  // before the reads, the writes, after the read-back
                                  {"read_block", 19 + 6},
                                  {"present_password", 1},
                                  {"write_block", 6}}));
    // Everything is as saved but the display-only Alarm, which apply leaves alone.
    EXPECT_EQ(hex_bytes(memory(104, 4)), hex_bytes(reference_image(7, 2)));
    put_value(104, 2, 2);
    EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(original));
    EXPECT_EQ(compare_tag_set(*saved, report.get()), SetOutcome::ok);
}

// The example set holds a value for every parameter the window can write.
TEST_F(ExampleTest, ApplyWritesWhatTheButtonsCouldAndNoOtherByte)
{
    read_set(example_file("example.set"), set.get());
    // Log (600) and Cal (-3) hold their values already.
    Bytes expected = with_example_set(whole_memory());
    EXPECT_EQ(apply_tag_set(*set, report.get()), SetOutcome::ok);
    EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(expected));
    std::vector<std::string> lines = report_lines(*report, *set);
    EXPECT_EQ(lines[0], "\"SW\" (0, swver): skipped: a software version is never written");
    EXPECT_EQ(lines[1], "\"HW\" (6, int8): skipped: display only");
    EXPECT_EQ(item_line(*report, *set, "Vmin"), "\"Vmin\" (56, int16): written 3300, was not set");
    EXPECT_EQ(item_line(*report, *set, "Serv"),
              "\"Serv\" (280, time): written 1798761600 (2027-01-01 00:00:00 UTC), was not set");
    EXPECT_EQ(item_line(*report, *set, "Cal"), "\"Cal\" (96, int8): same -3");
    EXPECT_EQ(lines.back(), "E00208115C3A77D1: ok: written 17, same 2, skipped 7");

    // A Default parameter goes only to its default; "not-set" entries are left alone.
    std::string text = example_file("example.set");
    text.replace(text.find("\"Vmin\" 56 int16 3300"), 20, "\"Vmin\" 56 int16 3000");
    text.replace(text.find("\"Mode\" 36 int8 2"), 16, "\"Mode\" 36 int8 not-set");
    read_set(text, set.get());
    put_value(36, 1, 1);
    Bytes before = whole_memory();
    EXPECT_EQ(apply_tag_set(*set, report.get()), SetOutcome::incomplete);
    EXPECT_EQ(
        item_line(*report, *set, "Vmin"),
        "\"Vmin\" (56, int16): skipped: a Default parameter is written only to its default, 3300; the set holds 3000");
    EXPECT_EQ(item_line(*report, *set, "Mode"), "\"Mode\" (36, int8): skipped: not set in the set");
    EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(before));
}

TEST_F(ExampleTest, PlanNeedsNoTag)
{
    read_set(example_file("example.set"), set.get());
    plan_apply(*set, report.get());
    EXPECT_EQ(report->blocksToRead, 25);                  // worked out by hand from examples/Pelox.ini
    memset(report->memory, 0xFF, sizeof report->memory);  // a factory-fresh tag
    for (bool& read : report->read) read = true;
    plan_writes(report.get());
    EXPECT_EQ(report->blocksToWrite, 25);
    // Block 66 holds the end of Lang (2 at 262) and all of Beep (1 at 265); Boot's bytes of block
    // 65 stay as read.
    Bytes lang = reference_image(2, 1), beep = reference_image(1, 1);
    EXPECT_EQ(hex_bytes(Bytes(report->merged + 256, report->merged + 268)),
              hex_bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, lang[0], lang[1], lang[2], beep[0], beep[1], beep[2]}));
    EXPECT_EQ(sim_calls(SIM_ANY_REQUEST), 0);
}

TEST_F(ExampleTest, EntriesThatDoNotFitTheConfigurationAreRefusedWithTheirReason)
{
    const std::string entryText = "\"Mode\" 36 int8 2\n";
    struct Row {
        const char* definition;
        std::vector<std::string> lines;  // the items, then the summary
    } rows[] = {
        {"Name=\"Mode\" Description=\"d\" Address=36 Type=int8 Changeable",
         {"\"Mode\" (36, int8): written 2, was 1", "E00208115C3A77D1: ok: written 1"}},
        {"Name=\"Mode\" Description=\"d\" Address=37 Type=int8 Changeable",
         {"\"Mode\" (37, int8): skipped: address 36 in the set, 37 in the configuration",
          "E00208115C3A77D1: incomplete: skipped 1 (1 not fitting the configuration)"}},
        {"Name=\"Mode\" Description=\"d\" Address=36 Type=int16 Changeable",
         {"\"Mode\" (36, int16): skipped: type int8 in the set, int16 in the configuration",
          "E00208115C3A77D1: incomplete: skipped 1 (1 not fitting the configuration)"}},
        {"Name=\"Mode\" Description=\"d\" Address=40 Type=empty",
         {"\"Mode\" (40, empty): skipped: address 36 and type int8 in the set, 40 and empty in the configuration",
          "E00208115C3A77D1: incomplete: skipped 1 (1 not fitting the configuration)"}},
        {"Name=\"Mode\" Description=\"d\" Address=36 Type=int8 Default=2 Max=1",
         {"\"Mode\" (36, int8): skipped: the set's value is outside the values -128 to 1 of the configuration (Min=, "
          "Max=)",
          "E00208115C3A77D1: incomplete: skipped 1"}},
        {"Name=\"Mood\" Description=\"d\" Address=36 Type=int8 Changeable",
         {"\"Mood\" (36, int8): skipped: not in the set", "\"Mode\" (36, int8): skipped: not in the configuration",
          "E00208115C3A77D1: incomplete: skipped 2 (2 not fitting the configuration)"}},
    };
    for (const Row& row : rows) {
        SetUp();
        std::string config = std::string("Pwd=4F52564C set=1\n") + row.definition + "\n";
        load_config_text(config.data(), config.size(), nullptr);
        read_set("# Pelox parameter set\ntool 1.0.0\nuid E00208115C3A77D1\nsaved 2026-12-08 23:13:20 UTC\n"
                 "configuration 1 parameters, fingerprint 00000000\n" +
                     entryText + "end 1 entry\n",
                 set.get());
        Bytes before = whole_memory();
        SetOutcome outcome = apply_tag_set(*set, report.get());
        std::vector<std::string> expected = row.lines;
        expected.back() += "; the set was saved with another configuration";
        EXPECT_EQ(report_lines(*report, *set), expected) << row.definition;
        bool fits = row.lines.size() == 2 && row.lines[0].find("written") != std::string::npos;
        EXPECT_EQ(outcome, fits ? SetOutcome::ok : SetOutcome::incomplete) << row.definition;
        if (!fits) {
            EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(before)) << row.definition;
        }
        EXPECT_EQ(compare_tag_set(*set, report.get()), fits ? SetOutcome::ok : SetOutcome::different) << row.definition;
    }
}

TEST_F(ExampleTest, SaveNamesEveryParameterItCouldNotReadAndGivesNoSet)
{
    ASSERT_TRUE(sim_fail_call(SIM_READ_BLOCK, 3));  // block 2: the end of HW
    EXPECT_EQ(save_tag_set(0, set.get(), report.get()), SetOutcome::readFailed);
    EXPECT_EQ(set->count, 0);
    EXPECT_EQ(item_line(*report, *set, "HW"), "\"HW\" (6, int8): failed: no answer reading block 2");
    EXPECT_EQ(report_lines(*report, *set).back(), "E00208115C3A77D1: a block could not be read: read 25, failed 1");
    EXPECT_EQ(sim_calls(SIM_READ_BLOCK), 36);  // blocks 0-17, 20-27 and 64-73, once each

    sim_leave_field();
    EXPECT_EQ(save_tag_set(0, set.get(), report.get()), SetOutcome::noTag);
    EXPECT_EQ(report_lines(*report, *set).back(), "no tag answered: failed 26");
}

}  // namespace
