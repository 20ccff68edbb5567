// The security setup behind "ssec": requests, the tag's resulting protection, and the messages
// for refusals and failed calls.
#include <gtest/gtest.h>

#include "dialog/security_setup.h"
#include "support/program_fixture.h"
#include "tag/tag_memory.h"

namespace {

using Requests = std::vector<std::string>;

class Security : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        add_param("A", ParamType::int8, 0, EditMode::Changeable);
        add_param("B", ParamType::int16, 4, EditMode::Default, 7);
        password = 0x0BADF00D;
    }
};

TEST_F(Security, LocksTwoSectorsAndSetsThePassword)
{
    security_setup();
    EXPECT_EQ(requests(), (Requests{"010D", "022B", "022000", "022001", "02B3020100000000", "02B2020009", "02B2022009",
                                    "02B3020100000000", "02B102010BADF00D"}));
    EXPECT_EQ(sim_sector_status(0), 0x09);
    EXPECT_EQ(sim_sector_status(1), 0x09);
    EXPECT_EQ(sim_sector_status(2), 0x00);
    EXPECT_EQ(sim_password(1), 0x0BADF00Du);
    EXPECT_STREQ(fake_text(1100), "Not set");  // the refresh's text, untouched by success

    // From now on writes succeed only with the configured password.
    const uint8_t image[3] = {0x05, 0xB1, 0x55};
    ASSERT_EQ(reader_open(), ReaderOutcome::ok);
    EXPECT_TRUE(tag_write_bytes(0, 3, image));
    password = 0;
    ASSERT_EQ(reader_open(), ReaderOutcome::ok);
    EXPECT_FALSE(tag_write_bytes(0, 3, image));
}

TEST_F(Security, TagRefusalsAreReportedAndTheSequenceGoesOn)
{
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 1));
    security_setup();
    EXPECT_STREQ(fake_text(1100), "err lock 0");
    EXPECT_EQ(sim_password(1), 0x0BADF00Du);

    SetUp();
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 1));
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 2));
    security_setup();
    EXPECT_STREQ(fake_text(1100), "err lock 1");  // the second replaced the first
    EXPECT_EQ(sim_calls(SIM_WRITE_PASSWORD), 1);

    SetUp();
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 1));
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 2));
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_PASSWORD, 1));
    security_setup();
    EXPECT_STREQ(fake_text(1100), "err set pwd");
    EXPECT_STREQ(fake_text(1101), "Not set");
}

TEST_F(Security, ASecondRunIsRefusedByTheLockedTag)
{
    security_setup();
    sim_clear_log();
    security_setup();
    // Sectors cannot be locked again, and the factory password no longer opens password 1.
    EXPECT_STREQ(fake_text(1100), "err set pwd");
    EXPECT_EQ(sim_password(1), 0x0BADF00Du);
}

TEST_F(Security, NoTagShowsNoAnswerInRowsZeroAndOne)
{
    sim_leave_field();
    security_setup();
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE   no device");
    EXPECT_STREQ(fake_text(1100), "No answer");
    EXPECT_STREQ(fake_text(1101), "No answer");
    EXPECT_EQ(sim_calls(SIM_WRITE_PASSWORD), 1);  // tried although locking failed
}

TEST_F(Security, FailedLibraryCallsStopOnlyTheirStep)
{
    ASSERT_TRUE(sim_fail_call(SIM_LOCK_SECTOR, 2));
    security_setup();
    EXPECT_STREQ(fake_text(1100), "No answer");
    EXPECT_STREQ(fake_text(1101), "Not set");
    EXPECT_EQ(sim_sector_status(0), 0x09);
    EXPECT_EQ(sim_password(1), 0x0BADF00Du);

    SetUp();
    ASSERT_TRUE(sim_fail_call(SIM_WRITE_PASSWORD, 1));
    security_setup();
    EXPECT_STREQ(fake_text(1100), "Not set");
    EXPECT_STREQ(fake_text(1101), "No answer");
    EXPECT_EQ(sim_password(1), 0u);
}

TEST_F(Security, ReaderMissingReportsConnectionThenNoAnswer)
{
    sim_set_reader_absent(true);
    security_setup();
    EXPECT_STREQ(fake_text(1100), "No answer");
    EXPECT_STREQ(fake_text(1101), "No answer");
    EXPECT_STREQ(fakeWindow.caption, "ORVELTIDE");
}

}  // namespace
