// Injected faults of the simulated reader and tag, and the request log and call counters that
// tests use to see what the program sent.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "sim/sim_state_read.h"
#include "sim_exchange.h"

namespace {

class SimFault : public ::testing::Test {
protected:
    void SetUp() override { sim_reset(); }
};

TEST_F(SimFault, AbsentReaderFailsEveryOperation)
{
    sim_set_reader_absent(true);
    EXPECT_EQ(SIM_NO_READER, sim_reader_connect());
    EXPECT_EQ(SIM_NO_READER, sim_reader_check());
    EXPECT_EQ(SIM_NO_READER, select_protocol().result);
    Exchange e = send("022B");
    EXPECT_EQ(SIM_NO_READER, e.result);
    EXPECT_EQ(NO_FRAME, e.answer);
    sim_set_reader_absent(false);
    EXPECT_EQ(SIM_OK, sim_reader_check());
}

// The library's USB handle, call by call: the handle check (ordinal 16) answers 0 only between
// a USB connect (13) and the reader going; the firmware and hardware texts need it as well.
TEST_F(SimFault, TheUsbHandleOpensAtTheConnectAndClosesWithTheReader)
{
    auto check16 = sim_reader_connect, connect13 = sim_reader_check;
    const int OK = SIM_OK, CLOSED = SIM_NOT_CONNECTED, GONE = SIM_NO_READER, INJECTED = SIM_INJECTED;
    void (*nothing)() = [] {};
    struct Step {
        const char* what;
        std::function<void()> before;
        int (*call)();
        int result, texts;  // of the call, of the firmware and hardware texts after it
    } steps[] = {
        {"a fresh library has no handle", nothing, check16, CLOSED, CLOSED},
        {"the USB connect opens it", nothing, connect13, OK, OK},
        {"the check answers from then on", nothing, check16, OK, OK},
        {"a failed check leaves it open", [] { sim_fail_call(SIM_CONNECT, 1); }, check16, INJECTED, OK},
        {"a state file read keeps it", [] { sim_state_read_text("uid E002000000000001"); }, check16, OK, OK},
        {"a reset closes it", sim_reset, check16, CLOSED, CLOSED},
        {"connected again", nothing, connect13, OK, OK},
        {"the reader going closes it", [] { sim_set_reader_absent(true); }, check16, GONE, GONE},
        {"nothing connects while it is gone", nothing, connect13, GONE, GONE},
        {"back, it is not connected", [] { sim_set_reader_absent(false); }, check16, CLOSED, CLOSED},
        {"until the USB connect", nothing, connect13, OK, OK},
        {"a state file without the reader closes it", [] { sim_state_read_text("reader_absent 1"); }, connect13, GONE,
         GONE},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.before();
        EXPECT_EQ(step.result, step.call());
        EXPECT_EQ(step.texts == OK, sim_usb_open());
        char firmware[SIM_INFO_SIZE], hardware[SIM_INFO_SIZE];
        EXPECT_EQ(step.texts, sim_reader_firmware(firmware));
        EXPECT_EQ(step.texts, sim_reader_hardware(hardware));
        EXPECT_STREQ(step.texts == OK ? "simulated hardware" : "", hardware);
    }
}

TEST_F(SimFault, RefusedSelectionKeepsPresentedRights)
{
    ASSERT_EQ(DONE, send("02B3020100000000").answer);
    sim_set_select_refused(true);
    EXPECT_EQ(SIM_OK, sim_reader_check());
    Exchange e = select_protocol();
    EXPECT_EQ(SIM_REFUSED, e.result);
    EXPECT_EQ(NO_FRAME, e.answer);
    EXPECT_EQ(0x2u, sim_granted_passwords());
}

TEST_F(SimFault, TagOutOfTheFieldLeavesEveryRequestUnanswered)
{
    sim_leave_field();
    Exchange e = send("022B");
    EXPECT_EQ(SIM_NO_TAG, e.result);
    EXPECT_EQ(NO_FRAME, e.answer);
    EXPECT_EQ(SIM_OK, select_protocol().result);
    EXPECT_EQ(SIM_NO_TAG, send("022100AABBCCDD").result);
    EXPECT_EQ(0xFFFFFFFFu, sim_block(0));
    sim_enter_field();
    EXPECT_EQ(SIM_OK, send("022B").result);
}

TEST_F(SimFault, NthCallOfAKindFailsWithoutReachingTheTag)
{
    ASSERT_TRUE(sim_fail_call(SIM_WRITE_BLOCK, 2));
    EXPECT_EQ(ERASED_BLOCK, send("022001").answer);
    EXPECT_EQ(DONE, send("022101AABBCCDD").answer);
    Exchange e = send("022102AABBCCDD");
    EXPECT_EQ(SIM_INJECTED, e.result);
    EXPECT_EQ(NO_FRAME, e.answer);
    EXPECT_EQ(0xFFFFFFFFu, sim_block(2));
    EXPECT_EQ(DONE, send("022102AABBCCDD").answer);
    EXPECT_EQ(0, sim_pending_faults());
}

TEST_F(SimFault, FailedConnectLeavesTheCheckToSucceed)
{
    ASSERT_TRUE(sim_fail_call(SIM_CONNECT, 1));
    ASSERT_TRUE(sim_fail_call(SIM_SELECT, 2));
    EXPECT_EQ(SIM_INJECTED, sim_reader_connect());
    EXPECT_EQ(SIM_OK, sim_reader_check());
    EXPECT_EQ(SIM_OK, select_protocol().result);
    EXPECT_EQ(SIM_INJECTED, select_protocol().result);
    EXPECT_EQ(SIM_OK, sim_reader_connect());
}

TEST_F(SimFault, AnyRequestFaultCountsEveryKind)
{
    ASSERT_TRUE(sim_fail_call(SIM_ANY_REQUEST, 3));
    EXPECT_EQ(SIM_OK, select_protocol().result);  // selection is not a request
    EXPECT_EQ(SIM_OK, send("022B").result);
    EXPECT_EQ(SIM_OK, send("022000").result);
    EXPECT_EQ(SIM_INJECTED, send("02B3020100000000").result);
    EXPECT_EQ(0u, sim_granted_passwords());
}

TEST_F(SimFault, FlaggedAnswersReplaceTheRequestedAction)
{
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 1));
    ASSERT_TRUE(sim_flag_answer(SIM_LOCK_SECTOR, 2));
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_BLOCK, 1, SIM_ERR_WRITE_FAILED));
    EXPECT_EQ(ERR_OTHER, send("02B2020009").answer);
    EXPECT_EQ(ERR_OTHER, send("02B2022009").answer);
    EXPECT_EQ(DONE, send("02B2024009").answer);
    EXPECT_EQ(0x00, sim_sector_status(0));
    EXPECT_EQ(0x00, sim_sector_status(1));
    Exchange e = send("022100AABBCCDD");
    EXPECT_EQ(SIM_OK, e.result);
    EXPECT_EQ(ERR_WRITE_FAILED, e.answer);
    EXPECT_EQ(0xFFFFFFFFu, sim_block(0));
    EXPECT_FALSE(sim_flag_answer(SIM_CONNECT, 1));
    EXPECT_FALSE(sim_fail_call(SIM_READ_BLOCK, 0));
}

TEST_F(SimFault, TagLeavesAfterNRequestsAndStaysOut)
{
    ASSERT_EQ(DONE, send("02B3020100000000").answer);
    sim_leave_field_after(2);
    EXPECT_EQ(ERASED_BLOCK, send("022000").answer);
    EXPECT_EQ(DONE, send("022100AABBCCDD").answer);
    EXPECT_EQ(SIM_NO_TAG, send("022101AABBCCDD").result);
    EXPECT_FALSE(sim_in_field());
    EXPECT_EQ(0u, sim_granted_passwords());
    EXPECT_EQ(SIM_NO_TAG, send("022B").result);
    EXPECT_EQ(0xAABBCCDDu, sim_block(0));
    EXPECT_EQ(0xFFFFFFFFu, sim_block(1));
    sim_enter_field();
    EXPECT_EQ(SIM_OK, send("022B").result);
}

TEST_F(SimFault, LogKeepsEveryRequestTextInOrder)
{
    sim_reader_connect();
    select_protocol();
    send("022B");
    send("0220zz");
    send("02B30201000000AA");
    ASSERT_EQ(4, sim_log_count());
    EXPECT_STREQ("010D", sim_log_entry(0));
    EXPECT_STREQ("022B", sim_log_entry(1));
    EXPECT_STREQ("0220zz", sim_log_entry(2));
    EXPECT_STREQ("02B30201000000AA", sim_log_entry(3));
    EXPECT_STREQ("", sim_log_entry(4));
    EXPECT_EQ(SIM_SELECT, sim_log_kind(0));
    EXPECT_EQ(SIM_READ_BLOCK, sim_log_kind(2));
    EXPECT_EQ(SIM_PRESENT_PASSWORD, sim_log_kind(3));

    EXPECT_EQ(1, sim_calls(SIM_CONNECT));
    EXPECT_EQ(0, sim_calls(SIM_CHECK));
    EXPECT_EQ(1, sim_calls(SIM_SELECT));
    EXPECT_EQ(1, sim_calls(SIM_SYSTEM_INFO));
    EXPECT_EQ(1, sim_calls(SIM_READ_BLOCK));
    EXPECT_EQ(3, sim_calls(SIM_ANY_REQUEST));
}

TEST_F(SimFault, FullLogCountsWhatItDrops)
{
    for (int i = 0; i < SIM_LOG_CAPACITY + 5; ++i) send("022B");
    EXPECT_EQ(SIM_LOG_CAPACITY, sim_log_count());
    EXPECT_EQ(5, sim_log_dropped());
    EXPECT_EQ(SIM_LOG_CAPACITY + 5, sim_calls(SIM_SYSTEM_INFO));
    std::string longText(100, 'A');
    sim_clear_log();
    send(longText.c_str());
    EXPECT_EQ(std::string(SIM_LOG_TEXT_SIZE - 1, 'A'), sim_log_entry(0));
}

TEST_F(SimFault, DelayIsChargedOnEveryExchange)
{
    sim_set_delay_us(3000);
    auto start = std::chrono::steady_clock::now();
    select_protocol();
    for (int i = 0; i < 4; ++i) send("022000");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(15000));
}

}  // namespace
