// The simulated reader's answers: framing and CRC, system information, memory and requests
// that the reader or the tag must refuse.
#include <gtest/gtest.h>

#include "sim/sim_core.h"
#include "sim/sim_crc.h"
#include "sim_exchange.h"

namespace {

class SimAnswer : public ::testing::Test {
protected:
    void SetUp() override { sim_reset(); }
};

TEST(SimCrc, MatchesTheIsoCheckValue)
{
    const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(0x906E, sim_crc16(text, sizeof text));
}

TEST_F(SimAnswer, ReadOfErasedAndWrittenBlocksIsFramedWithCrcAndStatus)
{
    EXPECT_EQ(ERASED_BLOCK, send("022000").answer);
    EXPECT_EQ(ERASED_BLOCK, send("0220FF").answer);
    ASSERT_EQ(SIM_OK, send("022107DEADBEEF").result);
    EXPECT_EQ("800800DEADBEEF62D600", send("022007").answer);
    uint8_t bytes[4];
    ASSERT_TRUE(sim_read_memory(28, bytes, 4));
    EXPECT_EQ(0xDE, bytes[0]);
    EXPECT_EQ(0xEF, bytes[3]);
}

TEST_F(SimAnswer, WriteAnswersDoneAndPresetBlocksReadBackInMemoryOrder)
{
    EXPECT_EQ(DONE, send("022110DEADBEEF").answer);
    EXPECT_EQ(0xDEADBEEFu, sim_block(16));
    ASSERT_TRUE(sim_set_block(3, 0x12345678));
    EXPECT_EQ("8008001234567887A800", send("022003").answer);
}

TEST_F(SimAnswer, SystemInformationCarriesTheUidLeastSignificantByteFirst)
{
    Exchange info = send("022B");
    EXPECT_EQ(SIM_OK, info.result);
    EXPECT_EQ("8012000FF6E5D4C3B2A102E00000FF032CAD4800", info.answer);
    EXPECT_EQ("F6E5D4C3B2A102E0", info.answer.substr(8, 16));

    sim_set_uid(0xE00200000000ABCDull);
    ASSERT_TRUE(sim_set_block_count(64));
    EXPECT_EQ("8012000FCDAB0000000002E000003F032C5E8800", send("022B").answer);
}

TEST_F(SimAnswer, BlocksBeyondTheMemoryAreNotAvailable)
{
    ASSERT_TRUE(sim_set_block_count(64));
    EXPECT_EQ(ERASED_BLOCK, send("02203F").answer);
    EXPECT_EQ(ERR_NO_BLOCK, send("022040").answer);
    EXPECT_EQ(ERR_NO_BLOCK, send("022140AABBCCDD").answer);
    EXPECT_EQ(0xFFFFFFFFu, sim_block(64));
    EXPECT_FALSE(sim_set_block_count(0));
    EXPECT_FALSE(sim_set_block_count(257));
}

TEST_F(SimAnswer, TextsThatAreNotWholeUppercaseHexBytesFailAtTheReader)
{
    for (const char* bad : {"", "02", "022", "0220G1", "0220a1", "02 2000", "022000\n",
                            "0221000000000000000000000000000000000000000000000000"}) {
        Exchange e = send(bad);
        EXPECT_EQ(SIM_BAD_REQUEST, e.result) << '"' << bad << '"';
        EXPECT_EQ(NO_FRAME, e.answer) << '"' << bad << '"';
    }
    EXPECT_EQ(SIM_BAD_REQUEST, sim_reader_send_receive(nullptr, nullptr));
}

TEST_F(SimAnswer, RequestsTheTagCannotObeyAnswerTheOtherError)
{
    for (const char* bad : {"0220", "02200001", "022100AABBCC", "022B00", "0299", "2220FF", "0620FF", "02B302010000",
                            "02B2020029", "02B1020400000000", "02B40200"}) {
        Exchange e = send(bad);
        EXPECT_EQ(SIM_OK, e.result) << bad;
        EXPECT_EQ(ERR_OTHER, e.answer) << bad;
    }
    EXPECT_EQ(0xFFFFFFFFu, sim_block(0));
}

TEST_F(SimAnswer, CustomCommandsForAnotherMakerGetNoAnswer)
{
    Exchange e = send("02B3030100000000");
    EXPECT_EQ(SIM_NO_TAG, e.result);
    EXPECT_EQ(NO_FRAME, e.answer);
    EXPECT_EQ(SIM_NO_TAG, send("02B2").result);
    EXPECT_EQ(0u, sim_granted_passwords());
}

TEST_F(SimAnswer, ProtocolSelectionAcceptsOnlyIso15693)
{
    EXPECT_EQ(SIM_OK, select_protocol().result);
    EXPECT_EQ("0000", select_protocol().answer);
    for (const char* other : {"0102", "010d", "010D00", ""}) {
        Exchange e = select_protocol(other);
        EXPECT_EQ(SIM_REFUSED, e.result) << other;
        EXPECT_EQ(NO_FRAME, e.answer) << other;
    }
}

}  // namespace
