// The "ssec" button: two sectors locked under password 1 and the configured password set, with
// the tag's refusals reported in row 0 and failed calls in rows 0 and 1.
#include <gtest/gtest.h>

#include "sim/sim_tag.h"
#include "support/reference_image.h"
#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

const uint32_t kPassword = 0xA1B2C3D4;
const uint8_t kLockedWithPassword1 = 0x09;  // locked, write needs password 1

class Security : public ::testing::Test {
protected:
    // Starts the program on a factory-fresh tag to which `faults` adds its refusals.
    void start(void (*faults)())
    {
        s.write_ini(ini_header(kPassword, 1) + int8_rows(3));
        s.set_up_tag([faults] {
            store_int8_rows(3);
            faults();
        });
        ASSERT_TRUE(s.start());
        ASSERT_TRUE(s.visible(1007));
    }

    PeloxSession s;
};

TEST_F(Security, LocksBothSectorsAndSetsThePasswordThatLaterWritesPresent)
{
    start([] {});
    s.click(1007);
    EXPECT_EQ("0", s.text(1100));  // the refresh before the setup
    EXPECT_EQ("1", s.text(1101));

    s.type(1102, "42");
    s.click(1202);
    EXPECT_EQ(1102, s.focused_id());
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(kLockedWithPassword1, sim_sector_status(0));
    EXPECT_EQ(kLockedWithPassword1, sim_sector_status(1));
    EXPECT_EQ(0, sim_sector_status(2));
    EXPECT_EQ(kPassword, sim_password(1));
    EXPECT_EQ(hex_bytes(reference_image(42, 1)), tag_bytes(8, 3));  // written into the protected sector
}

TEST_F(Security, EveryRefusalLeavesItsMessageAndTheSequenceGoesOn)
{
    start([] {
        sim_flag_answer(SIM_LOCK_SECTOR, 1);
        sim_flag_answer(SIM_LOCK_SECTOR, 2);
        sim_flag_answer(SIM_WRITE_PASSWORD, 1);
    });
    s.click(1007);
    EXPECT_EQ("err set pwd", s.text(1100));
    EXPECT_EQ("1", s.text(1101));
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(0, sim_sector_status(0));
    EXPECT_EQ(0, sim_sector_status(1));
    EXPECT_EQ(0u, sim_password(1));
}

TEST_F(Security, FirstLockRefused)
{
    start([] { sim_flag_answer(SIM_LOCK_SECTOR, 1); });
    s.click(1007);
    EXPECT_EQ("err lock 0", s.text(1100));
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(0, sim_sector_status(0));
    EXPECT_EQ(kLockedWithPassword1, sim_sector_status(1));
    EXPECT_EQ(kPassword, sim_password(1));
}

TEST_F(Security, SecondLockRefused)
{
    start([] { sim_flag_answer(SIM_LOCK_SECTOR, 2); });
    s.click(1007);
    EXPECT_EQ("err lock 1", s.text(1100));
    ASSERT_EQ(0, s.close());

    ASSERT_TRUE(s.load_tag());
    EXPECT_EQ(kLockedWithPassword1, sim_sector_status(0));
    EXPECT_EQ(0, sim_sector_status(1));
    EXPECT_EQ(kPassword, sim_password(1));
}

TEST_F(Security, WithoutATagBothStepsReportNoAnswer)
{
    start([] { sim_leave_field(); });
    EXPECT_EQ("ORVELTIDE   no device", s.caption());
    s.click(1007);
    EXPECT_EQ("No answer", s.text(1100));
    EXPECT_EQ("No answer", s.text(1101));
    EXPECT_EQ("", s.text(1102));
    ASSERT_EQ(0, s.close());
}

}  // namespace
