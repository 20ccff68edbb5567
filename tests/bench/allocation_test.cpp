// No heap allocation once the program runs: every allocation of the process is counted across
// start-up, refresh, paging, writes and the security setup, on the benchmark's 100 parameters.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "bench/alloc_count.h"
#include "bench/bench_table.h"
#include "dialog/actions.h"
#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/security_setup.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "fakes/fake_module_path.h"
#include "model/config_path.h"
#include "sets/apply_preview.h"
#include "sets/apply_run.h"
#include "sets/set_read.h"
#include "sets/set_tag.h"
#include "sets/set_text.h"
#include "support/program_fixture.h"
#include "support/temp_files.h"
#include "support/time_zone.h"

namespace {

template <typename Work>
long allocations_in(Work work)
{
    long before = alloc_count();
    work();
    return alloc_count() - before;
}

// Where allocated blocks go, so that an optimising compiler cannot leave out an allocation
// whose block is freed at once.
void* volatile sink;

// The counter must see what it is meant to see, or a zero below would prove nothing.
TEST(AllocationCounter, SeesMallocCallocReallocAndNew)
{
    EXPECT_EQ(allocations_in([] { free(sink = malloc(16)); }), 1);
    EXPECT_EQ(allocations_in([] { free(sink = calloc(4, 4)); }), 1);
    EXPECT_EQ(allocations_in([] {
                  sink = realloc(nullptr, 8);
                  free(sink = realloc(sink, 4096));
              }),
              2);
    EXPECT_EQ(allocations_in([] { delete static_cast<int*>(sink = new int(1)); }), 1);
    EXPECT_EQ(allocations_in([] { delete[] static_cast<char*>(sink = new char[100]); }), 1);
    EXPECT_GE(allocations_in([] {
                  std::string s(100, 'x');
                  sink = &s[0];
              }),
              1);
}

class NoAllocation : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // With TZ unset, glibc's localtime copies the default zone's name onto the heap on every
        // call; a zone in TZ is read once. The test programs run with TZ set, and so does this.
        set_time_zone("CET-1");
        folder.write("Pelox.ini", bench_config_text());
        fake_module_path_set((folder.path() + "pelox.exe").c_str());
        ini = folder.path() + "Pelox.ini";
    }

    // Start-up as the dialog's initialisation runs it, with the tag filled and no request
    // counted yet.
    void start()
    {
        ASSERT_TRUE(load_config());
        bench_fill_tag();
        dialog_start();
        ASSERT_EQ(entryCount, 100u);
        ASSERT_STREQ(fakeWindow.caption, "ORVELTIDE      E002A1B2C3D4E5F6   ");
    }

    TempFolder folder;
    std::string ini;
};

// load_config opens the file with fopen, and the C library allocates the stream there: its FILE
// record, and its buffer at the first read. That is all it may allocate.
TEST_F(NoAllocation, LoadingTheConfigurationAllocatesOnlyTheCStream)
{
    const char* path = ini.c_str();
    long stream = allocations_in([=] {
        FILE* file = fopen(path, "rb");
        ASSERT_NE(file, nullptr);
        getc(file);
        fclose(file);
    });
    long load = allocations_in([] { ASSERT_TRUE(load_config()); });
    EXPECT_EQ(load, stream);
    EXPECT_LE(stream, 2);
    RecordProperty("load_config", static_cast<int>(load));
    RecordProperty("fopen_fclose", static_cast<int>(stream));
}

TEST_F(NoAllocation, RefreshAndTimerTicks)
{
    start();
    scanEnabled = 1;
    long n = allocations_in([] {
        for (int i = 0; i < 3; ++i) {
            refresh_page();
            dialog_command(0, IDC_READ);
            dialog_timer();
        }
    });
    EXPECT_EQ(n, 0);
    RecordProperty("refresh", static_cast<int>(n));
}

TEST_F(NoAllocation, PagingOverEveryPage)
{
    start();
    long n = allocations_in([] {
        int page = 0;
        for (int i = 0; i < 6; ++i) page = step_page(STEP_FORWARD, page);
        for (int i = 0; i < 6; ++i) page = step_page(STEP_BACK, page);
        for (int p = 4; p >= 0; --p) step_page(STEP_TO, p);
    });
    EXPECT_EQ(n, 0);
    RecordProperty("step_page", static_cast<int>(n));
}

// Every row of every page: typed and default values, every type, writes refused by range.
TEST_F(NoAllocation, WritesOfEveryRowOnEveryPage)
{
    start();
    long n = allocations_in([] {
        for (int page = 0; page <= 4; ++page) {
            step_page(STEP_TO, page);
            for (int row = 0; row < PAGE_ROWS; ++row) {
                set_field_text(IDC_VALUE_BOX + row, "-7");
                write_param(row);
                set_field_text(IDC_VALUE_BOX + row, "100000");  // out of range below int32
                write_param(row);
            }
        }
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK) > 0, true);
    RecordProperty("write_param", static_cast<int>(n));
}

TEST_F(NoAllocation, SecuritySetup)
{
    start();
    long n = allocations_in([] {
        security_setup();
        dialog_command(0, IDC_SSEC);
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(sim_calls(SIM_LOCK_SECTOR), 4);
    RecordProperty("security_setup", static_cast<int>(n));
}

// The failure paths show texts instead of values; they allocate nothing either.
TEST_F(NoAllocation, ReaderAndTagFailures)
{
    start();
    long n = allocations_in([] {
        sim_fail_call(SIM_READ_BLOCK, 3);
        refresh_page();
        sim_flag_answer(SIM_WRITE_BLOCK, 1);
        set_field_text(IDC_VALUE_BOX, "5");
        write_param(0);
        sim_leave_field();
        refresh_page();
        write_param(0);
        security_setup();
        sim_enter_field();
        sim_set_select_refused(true);
        refresh_page();
        sim_set_reader_absent(true);
        refresh_page();
        step_page(STEP_FORWARD, 0);
    });
    EXPECT_EQ(n, 0);
    RecordProperty("failures", static_cast<int>(n));
}

// Parameter sets: read from text, saved, compared, applied (also under a fault), and shown.
TEST_F(NoAllocation, SetsSavedComparedAppliedAndShown)
{
    start();
    auto set = std::make_unique<ParamSet>();
    auto report = std::make_unique<SetReport>();
    const std::string text =
        "# Pelox parameter set\ntool 1.0.0\nuid E002A1B2C3D4E5F6\nsaved 2026-12-08 23:13:20 UTC\n"
        "configuration 100 parameters, fingerprint 00000000\n\"P00\" 0 int8 7\n\"P01\" 11 int16 -7   # a comment\n"
        "end 2 entries\n";
    long n = allocations_in([&] {
        SetReadError error;
        EXPECT_TRUE(read_param_set_text(text.data(), text.size(), set.get(), &error));
        apply_tag_set(*set, report.get());
        sim_flag_answer(SIM_WRITE_BLOCK, 1);
        apply_tag_set(*set, report.get());
        compare_tag_set(*set, report.get());
        dry_run_tag_set(*set, report.get());
        verify_opened_tag(*set, 0xE002A1B2C3D4E5F6ull, report.get());
        save_tag_set(0, set.get(), report.get());
        char line[SET_ITEM_TEXT_SIZE];
        for (int i = 0; i < report->count; ++i) format_set_item(*report, *set, i, line, sizeof line);
        format_set_summary(*report, line, sizeof line);
    });
    EXPECT_EQ(n, 0);
    EXPECT_EQ(set->count, 100);
    RecordProperty("sets", static_cast<int>(n));
}

}  // namespace
