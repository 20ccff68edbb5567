// Production with tags placed in turn by the waiting hook: one log line a device, each tag holding
// the set, none written again before it has left, a tag taken away mid-apply a failed device, and
// the run ended cleanly by the hook as by Ctrl+C.
#include <gtest/gtest.h>

#include "sets/set_support.h"
#include "tagtool/produce.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Line {
    std::vector<uint64_t> uids;  // the tags to place, in turn
    int leaveAfterPlacing = -1;  // for the second tag: requests answered before it is taken away
    size_t placed = 0;
    int leaveWaits = 0;  // forLeave waits since the last device
    int flicker = 1;     // waits the first tag is out of the field before it comes back
    int64_t clock = 0;   // milliseconds; each wait is the console's pause of 200
    std::string waits;   // T and L, one a wait
    std::vector<Bytes> memories;
    std::vector<std::string> log;
};

// A fresh tag: erased memory, a UID of its own.
void place(Line& line)
{
    Bytes erased(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF);
    sim_write_memory(0, erased.data(), static_cast<int>(erased.size()));
    sim_set_uid(line.uids[line.placed++]);
    sim_enter_field();
    if (line.placed == 2 && line.leaveAfterPlacing >= 0) sim_leave_field_after(line.leaveAfterPlacing);
}

void take_away(Line& line)
{
    Bytes memory(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE);
    sim_read_memory(0, memory.data(), static_cast<int>(memory.size()));
    line.memories.push_back(memory);
    sim_leave_field();
    sim_leave_field_after(-1);
}

bool wait(void* context, ProduceWait what, SetOutcome)
{
    Line& line = *static_cast<Line*>(context);
    line.waits += what == ProduceWait::forTag ? "T" : "L";
    line.clock += 200;
    if (what == ProduceWait::forTag) {
        line.leaveWaits = 0;
        if (line.placed == line.uids.size()) return false;  // as Ctrl+C does
        place(line);
        return true;
    }
    // The first tag stays a while, then flickers out of the field and back before it goes.
    int n = line.leaveWaits++;
    if (line.placed != 1) {
        if (n == 0) take_away(line);
    } else if (n == 1) {
        sim_leave_field();
    } else if (n == 1 + line.flicker) {
        sim_enter_field();
    } else if (n == 2 + line.flicker) {
        take_away(line);
    }
    return true;
}

int64_t clock_ms(void* context)
{
    return static_cast<Line*>(context)->clock;
}

int64_t now(void* context)
{
    return 1796771600 + 60 * static_cast<int64_t>(static_cast<Line*>(context)->log.size());
}

bool log(void* context, const char* text)
{
    static_cast<Line*>(context)->log.push_back(text);
    return true;
}

Line first_three()
{
    Line line;
    line.uids = {0xE002000000000001ull, 0xE002000000000002ull, 0xE002000000000003ull};
    return line;
}

class Production : public ExampleTest {
protected:
    void SetUp() override
    {
        ExampleTest::SetUp();
        read_set(example_file("example.set"), set.get());
        sim_leave_field();  // the line starts empty
    }
    Line line = first_three();
    ProduceHooks hooks{&line, wait, now, clock_ms, log, nullptr};
};

TEST_F(Production, ThreeTagsInTurnThreeLogLinesEachTagHoldingTheSet)
{
    // The first tag out of the field for up to 0.4 s (polls 200 ms apart) is still the same tag.
    ProduceResult result = {};
    for (int flicker : {2, 1}) {
        SetUp();
        line = first_three();
        line.flicker = flicker;
        result = produce(*set, 0, hooks);
        EXPECT_EQ(result.devices, 3) << flicker;
    }
    EXPECT_EQ(result.devices, 3);
    EXPECT_EQ(result.failed, 0);
    EXPECT_FALSE(result.logFailed);
    EXPECT_EQ(line.log, (std::vector<std::string>{"2026-12-08 23:13:20 UTC E002000000000001 ok\n",
                                                  "2026-12-08 23:14:20 UTC E002000000000002 ok\n",
                                                  "2026-12-08 23:15:20 UTC E002000000000003 ok\n"}));
    // The first tag stays, flickers out for one poll and back: not written again.
    EXPECT_EQ(line.waits, "TLLLLLLLTLLLLTLLLLT");  // gone after 0.6 s without an answer
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 3 * 25);
    ASSERT_EQ(line.memories.size(), 3u);
    Bytes expected = with_example_set(Bytes(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF));
    for (const Bytes& memory : line.memories) EXPECT_EQ(hex_bytes(memory), hex_bytes(expected));
}

TEST_F(Production, ATagTakenAwayMidApplyIsAFailedDeviceAndTheLineGoesOn)
{
    // Identification, 25 reads, identification, the password and 5 writes (blocks 9-13); block 14
    // finds no tag.
    line.leaveAfterPlacing = 1 + 25 + 1 + 1 + 5;
    ProduceResult result = produce(*set, 3, hooks);
    EXPECT_EQ(result.devices, 3);
    EXPECT_EQ(result.failed, 1);
    ASSERT_EQ(line.log.size(), 3u);
    EXPECT_EQ(
        line.log[1],
        "2026-12-08 23:14:20 UTC E002000000000002 failed 19: \"Mode\" \"Addr\" \"Baud\" \"Tmax\" \"Tmin\" \"Vmin\" "
        "\"Imax\" \"Fpwm\" \"Log\" \"Clock\" \"Cal\" \"Gain\" \"Reset\" \"Lang\" \"Beep\" \"Dim\" \"Eco\" \"Serv\" "
        "\"Cust\"\n");
    EXPECT_EQ(line.log[2], "2026-12-08 23:15:20 UTC E002000000000003 ok\n");
    EXPECT_EQ(line.waits, "TLLLLLLLTLLLLT");  // ends at the count, the third tag still on the reader
}

}  // namespace
