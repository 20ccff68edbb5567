// The simulated tag's password protection: sector locks, access rights, presented passwords
// and how long their rights last.
#include <gtest/gtest.h>

#include "sim_exchange.h"

namespace {

class SimSecurity : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim_reset();
        ASSERT_TRUE(sim_set_password(1, 0x11223344));
        ASSERT_TRUE(sim_set_password(2, 0x55667788));
    }
};

TEST_F(SimSecurity, LockedSectorRefusesWritesUntilItsPasswordIsPresented)
{
    EXPECT_EQ(DONE, send("02B2020009").answer);
    EXPECT_EQ(0x09, sim_sector_status(0));
    EXPECT_EQ(ERR_WRITE_LOCKED, send("0221050A0B0C0D").answer);
    EXPECT_EQ(ERASED_BLOCK, send("022005").answer);
    EXPECT_EQ(DONE, send("022120AABBCCDD").answer);  // block 32 lies in the next sector

    EXPECT_EQ(DONE, send("02B3020111223344").answer);
    EXPECT_EQ(0x2u, sim_granted_passwords());
    EXPECT_EQ(DONE, send("0221050A0B0C0D").answer);
    EXPECT_EQ(0x0A0B0C0Du, sim_block(5));
}

TEST_F(SimSecurity, RightsLastUntilTheConnectionIsOpenedAgainOrTheTagLeaves)
{
    ASSERT_TRUE(sim_set_sector_status(0, 0x09));
    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    EXPECT_EQ(DONE, send("022101AABBCCDD").answer);
    EXPECT_EQ(DONE, send("022102AABBCCDD").answer);
    ASSERT_EQ(SIM_OK, select_protocol().result);
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022103AABBCCDD").answer);

    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    sim_leave_field();
    sim_enter_field();
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022103AABBCCDD").answer);
    EXPECT_EQ(0xFFFFFFFFu, sim_block(3));
}

TEST_F(SimSecurity, WrongPasswordIsRefusedAndClearsEveryRight)
{
    ASSERT_TRUE(sim_set_sector_status(0, 0x09));
    ASSERT_TRUE(sim_set_sector_status(1, 0x11));  // guarded by password 2
    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    ASSERT_EQ(DONE, send("02B3020255667788").answer);
    EXPECT_EQ(0x6u, sim_granted_passwords());
    EXPECT_EQ(ERR_OTHER, send("02B3020111223345").answer);
    EXPECT_EQ(0u, sim_granted_passwords());
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022100AABBCCDD").answer);
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022120AABBCCDD").answer);
}

TEST_F(SimSecurity, SectorOpensOnlyToItsOwnPassword)
{
    ASSERT_TRUE(sim_set_sector_status(1, 0x11));
    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022121AABBCCDD").answer);
    ASSERT_EQ(DONE, send("02B3020255667788").answer);
    EXPECT_EQ(DONE, send("022121AABBCCDD").answer);
}

TEST_F(SimSecurity, AccessBitsDecideWhatNeedsThePassword)
{
    ASSERT_TRUE(sim_set_sector_status(0, 0x0B));  // read and write free
    ASSERT_TRUE(sim_set_sector_status(1, 0x0D));  // both need password 1
    ASSERT_TRUE(sim_set_sector_status(2, 0x0F));  // read needs password 1, never written
    ASSERT_TRUE(sim_set_sector_status(3, 0x0E));  // not locked: access bits do not count
    EXPECT_EQ(DONE, send("022100AABBCCDD").answer);
    EXPECT_EQ(ERR_READ_LOCKED, send("022020").answer);
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022120AABBCCDD").answer);
    EXPECT_EQ(ERR_READ_LOCKED, send("022040").answer);
    EXPECT_EQ(DONE, send("022160AABBCCDD").answer);

    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    EXPECT_EQ(ERASED_BLOCK, send("022020").answer);
    EXPECT_EQ(DONE, send("022120AABBCCDD").answer);
    EXPECT_EQ(ERASED_BLOCK, send("022040").answer);
    EXPECT_EQ(ERR_WRITE_LOCKED, send("022140AABBCCDD").answer);
}

TEST_F(SimSecurity, LockedSectorCannotBeLockedAgain)
{
    EXPECT_EQ(DONE, send("02B2022009").answer);
    EXPECT_EQ(0x09, sim_sector_status(1));
    EXPECT_EQ(0x00, sim_sector_status(0));
    EXPECT_EQ(ERR_ALREADY_LOCKED, send("02B2022009").answer);
    EXPECT_EQ(ERR_ALREADY_LOCKED, send("02B2023F01").answer);  // another block of the same sector
    EXPECT_EQ(0x09, sim_sector_status(1));
    EXPECT_EQ(DONE, send("02B2024008").answer);  // the lock bit is set whatever the request says
    EXPECT_EQ(0x09, sim_sector_status(2));

    ASSERT_TRUE(sim_set_block_count(64));
    EXPECT_EQ(ERR_NO_BLOCK, send("02B2024009").answer);
}

TEST_F(SimSecurity, WritingAPasswordNeedsTheOldOnePresented)
{
    EXPECT_EQ(ERR_OTHER, send("02B10201CAFEF00D").answer);
    EXPECT_EQ(0x11223344u, sim_password(1));
    ASSERT_EQ(DONE, send("02B3020255667788").answer);
    EXPECT_EQ(ERR_OTHER, send("02B10201CAFEF00D").answer);

    ASSERT_EQ(DONE, send("02B3020111223344").answer);
    EXPECT_EQ(DONE, send("02B10201CAFEF00D").answer);
    EXPECT_EQ(0xCAFEF00Du, sim_password(1));
    EXPECT_EQ(0x55667788u, sim_password(2));
    EXPECT_EQ(ERR_OTHER, send("02B3020111223344").answer);
    EXPECT_EQ(DONE, send("02B30201CAFEF00D").answer);
}

TEST(SimFactoryTag, PasswordsAreZeroAndSectorsOpen)
{
    sim_reset();
    for (int i = 0; i < SIM_SECTORS; ++i) EXPECT_EQ(0, sim_sector_status(i));
    EXPECT_EQ(DONE, send("02B3020300000000").answer);
    EXPECT_EQ(DONE, send("02B3020100000000").answer);
    EXPECT_EQ(0xAu, sim_granted_passwords());
}

}  // namespace
