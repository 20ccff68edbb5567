// Block-wise tag memory access: the exact requests of reads and read-modify-writes, the
// connection messages, and the accesses that must fail without touching the tag.
#include <gtest/gtest.h>

#include "support/program_fixture.h"
#include "tag/reader.h"
#include "tag/tag_memory.h"

namespace {

using Requests = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

class TagMemory : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        for (int b = 0; b < 16; ++b) sim_set_block(b, 0x10101010u * static_cast<uint32_t>(b) + 0x00010203u);
        sim_clear_log();
    }
};

TEST_F(TagMemory, ReadsWholeBlocksFromTheFirstNeededByte)
{
    uint8_t out[16] = {};
    EXPECT_EQ(tag_read_bytes(5, 3, out), 3);  // bytes 1 to 3 of block 1
    EXPECT_EQ(requests(), (Requests{"022001"}));
    EXPECT_EQ(hex_bytes(Bytes(out, out + 3)), "11 12 13");

    sim_clear_log();
    EXPECT_EQ(tag_read_bytes(0, 3, out), 4);  // all of block 0
    EXPECT_EQ(requests(), (Requests{"022000"}));
    EXPECT_EQ(hex_bytes(Bytes(out, out + 4)), "00 01 02 03");

    sim_clear_log();
    EXPECT_EQ(tag_read_bytes(2, 6, out), 6);
    EXPECT_EQ(requests(), (Requests{"022000", "022001"}));
    EXPECT_EQ(hex_bytes(Bytes(out, out + 6)), "02 03 10 11 12 13");

    sim_clear_log();
    EXPECT_EQ(tag_read_bytes(43, 6, out), 9);  // three blocks: 10, 11, 12
    EXPECT_EQ(requests(), (Requests{"02200A", "02200B", "02200C"}));
}

TEST_F(TagMemory, WritePresentsThePasswordThenRewritesTheCoveringBlocks)
{
    password = 0x1234ABCD;
    const uint8_t value[4] = {0xA0, 0xA1, 0xA2, 0xA3};
    Bytes before = whole_memory();
    ASSERT_TRUE(tag_write_bytes(6, 4, value));
    EXPECT_EQ(requests(), (Requests{"02B302011234ABCD", "022001", "022002", "0221011011A0A1", "022102A2A32223"}));
    Bytes expected = before;
    for (int i = 0; i < 4; ++i) expected[6 + static_cast<size_t>(i)] = value[i];
    EXPECT_EQ(whole_memory(), expected);
}

TEST_F(TagMemory, PartialBlockKeepsItsOtherBytes)
{
    const uint8_t value[3] = {0x7F, 0x5E, 0x5B};
    ASSERT_TRUE(tag_write_bytes(8, 3, value));
    EXPECT_EQ(requests(), (Requests{"02B3020100000000", "022002", "0221027F5E5B23"}));
    EXPECT_EQ(hex_bytes(memory(8, 4)), "7F 5E 5B 23");
}

TEST_F(TagMemory, WriteFailsOnTheTagsErrorFlag)
{
    const uint8_t value[6] = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_BLOCK, 2, 0x13));
    EXPECT_FALSE(tag_write_bytes(2, 6, value));
    // The first block stays written; the second was refused.
    EXPECT_EQ(hex_bytes(memory(0, 8)), "00 01 01 02 10 11 12 13");
}

TEST_F(TagMemory, ProtectedBlocksNeedTheConfiguredPassword)
{
    ASSERT_TRUE(sim_set_password(1, 0xCAFE0001));
    ASSERT_TRUE(sim_set_sector_status(0, 0x09));  // locked, writes need password 1
    const uint8_t value[3] = {0x05, 0xB1, 0x55};
    password = 0xCAFE0002;
    EXPECT_FALSE(tag_write_bytes(20, 3, value));
    password = 0xCAFE0001;
    EXPECT_TRUE(tag_write_bytes(20, 3, value));
    EXPECT_EQ(hex_bytes(memory(20, 3)), "05 B1 55");
}

TEST_F(TagMemory, AccessesBeyondBlock255FailWithoutAnyRequest)
{
    uint8_t out[16];
    const uint8_t value[6] = {};
    EXPECT_EQ(tag_read_bytes(1022, 6, out), 0);
    EXPECT_EQ(tag_read_bytes(1024, 1, out), 0);
    EXPECT_EQ(tag_read_bytes(-1, 3, out), 0);
    EXPECT_EQ(tag_read_bytes(0, 0, out), 0);
    EXPECT_FALSE(tag_write_bytes(1020, 6, value));
    EXPECT_FALSE(tag_write_bytes(-4, 3, value));
    EXPECT_FALSE(tag_write_bytes(0, -1, value));
    EXPECT_TRUE(requests().empty());
    // The last bytes of memory are reachable.
    EXPECT_EQ(tag_read_bytes(1018, 6, out), 6);
    EXPECT_EQ(requests(), (Requests{"0220FE", "0220FF"}));
}

TEST_F(TagMemory, WriteNeverLeavesItsScratchBuffer)
{
    uint8_t big[40] = {};
    EXPECT_FALSE(tag_write_bytes(1, 32, big));  // 33 bytes of blocks
    EXPECT_FALSE(tag_write_bytes(0, 33, big));
    EXPECT_FALSE(tag_write_bytes(3, 2147483647, big));
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(tag_write_bytes(0, 32, big));  // exactly the scratch buffer
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 8);
}

TEST_F(TagMemory, AFlaggedReadIsAFailedReadAndNothingIsWritten)
{
    // Character 5 of a flagged answer is "1": its payload is an error code, not block data.
    uint8_t out[16];
    ASSERT_TRUE(sim_flag_answer(SIM_READ_BLOCK, 1, 0x15));
    EXPECT_EQ(tag_read_bytes(4, 4, out), 0);

    Bytes before = whole_memory();
    const uint8_t value[6] = {9, 9, 9, 9, 9, 9};
    ASSERT_TRUE(sim_flag_answer(SIM_READ_BLOCK, 2));
    EXPECT_FALSE(tag_write_bytes(5, 6, value));
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 0);
    EXPECT_EQ(whole_memory(), before);
}

TEST_F(TagMemory, OpeningTheReader)
{
    EXPECT_EQ(reader_open(), ReaderOutcome::ok);
    EXPECT_EQ(requests(), (Requests{"010D"}));
    EXPECT_EQ(sim_calls(SIM_CHECK), 0);

    // A failed connect is forgiven when the check finds the reader.
    ASSERT_TRUE(sim_fail_call(SIM_CONNECT, 1));
    EXPECT_EQ(reader_open(), ReaderOutcome::ok);
    EXPECT_EQ(sim_calls(SIM_CHECK), 1);

    // The texts these give in row 0 are the refresh's (tests/dialog/refresh_test.cpp).
    sim_set_reader_absent(true);
    EXPECT_EQ(reader_open(), ReaderOutcome::noReader);

    sim_set_reader_absent(false);
    sim_set_select_refused(true);
    EXPECT_EQ(reader_open(), ReaderOutcome::selectRefused);
}

TEST_F(TagMemory, OpeningAgainEndsThePasswordRight)
{
    ASSERT_TRUE(sim_set_password(1, 0x00000042));
    ASSERT_TRUE(sim_set_sector_status(1, 0x09));
    password = 0x42;
    const uint8_t value[3] = {0x01, 0xF1, 0xD1};
    ASSERT_TRUE(tag_write_bytes(128, 3, value));  // presents the password itself
    ASSERT_EQ(reader_open(), ReaderOutcome::ok);
    EXPECT_EQ(sim_granted_passwords(), 0u);
}

// A write of 3, 4 or 6 bytes at every offset in a block, with a fault at every request it
// makes: the write fails (unless only the password presentation, whose result is ignored, was
// hit on an unprotected tag) and no byte outside the value's image ever changes.
TEST_F(TagMemory, FaultMatrixNeverTouchesBytesOutsideTheImage)
{
    enum Fault { failCall, flagAnswer, leaveField };
    int cases = 0;
    for (bool protectedTag : {false, true}) {
        for (int size : {3, 4, 6}) {
            for (int offset = 0; offset < 4; ++offset) {
                int blocks = (offset + size + 3) / 4;
                int requestsOfWrite = 1 + 2 * blocks;
                for (int at = 1; at <= requestsOfWrite; ++at) {
                    for (Fault fault : {failCall, flagAnswer, leaveField}) {
                        SetUp();
                        int address = 64 + offset;  // sector 0 when protected
                        password = 0x5A5A5A5A;
                        if (protectedTag) {
                            ASSERT_TRUE(sim_set_password(1, password));
                            ASSERT_TRUE(sim_set_sector_status(0, 0x09));
                        }
                        Bytes before = whole_memory();
                        bool armed = true;
                        if (fault == failCall) armed = sim_fail_call(SIM_ANY_REQUEST, at);
                        if (fault == flagAnswer) armed = sim_flag_answer(SIM_ANY_REQUEST, at);
                        if (fault == leaveField) sim_leave_field_after(at - 1);
                        ASSERT_TRUE(armed);
                        const uint8_t image[6] = {0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6};
                        bool ok = tag_write_bytes(address, size, image);
                        ++cases;
                        SCOPED_TRACE(testing::Message()
                                     << "protected " << protectedTag << " size " << size << " offset " << offset
                                     << " request " << at << " fault " << fault);
                        bool passwordOnly = at == 1 && fault != leaveField;
                        EXPECT_EQ(ok, passwordOnly && !protectedTag);
                        Bytes after = whole_memory();
                        for (size_t i = 0; i < after.size(); ++i) {
                            bool inImage = i >= static_cast<size_t>(address) && i < static_cast<size_t>(address + size);
                            if (!inImage) {
                                ASSERT_EQ(after[i], before[i]) << "byte " << i;
                            }
                        }
                        if (ok) {
                            EXPECT_EQ(hex_bytes(memory(address, size)), hex_bytes(Bytes(image, image + size)));
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(cases, 336);  // 56 fault positions, 3 kinds, 2 tags
}

}  // namespace
