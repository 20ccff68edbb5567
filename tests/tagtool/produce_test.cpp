// Production with tags placed in turn by the waiting hook: one log row a device, each tag holding
// the set (and its number), none written again before it has left nor when the log has it done,
// a tag taken away mid-apply a failed device, the run ended cleanly by the hook as by Ctrl+C;
// a verifying station's rows; the log's rows written and read back as CSV.
#include <gtest/gtest.h>

#include "sets/set_support.h"
#include "support/reference_image.h"
#include "support/temp_files.h"
#include "tagtool/produce.h"

namespace {

using Bytes = std::vector<uint8_t>;

const int kPollMs = 200;  // the console's pause between two polls

struct Line {
    std::vector<uint64_t> uids;  // the tags to place, in turn
    std::vector<Bytes> start;    // their memory when placed; erased when not given
    int leaveAfterPlacing = -1;  // for the second tag: requests answered before it is taken away
    size_t placed = 0;
    int leaveWaits = 0;  // waits since the last row
    int flicker = 1;     // waits the first tag is out of the field before it comes back
    int64_t clock = 0;   // milliseconds; each wait is the console's pause of 200
    std::vector<Bytes> memories;
    std::vector<std::string> log;
    bool onReader = false;   // the tag placed last is not taken away yet
    bool flickered = false;  // the first tag has come back
};

// A fresh tag: erased memory, a UID of its own.
void place(Line& line)
{
    Bytes memory =
        line.placed < line.start.size() ? line.start[line.placed] : Bytes(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF);
    sim_write_memory(0, memory.data(), static_cast<int>(memory.size()));
    sim_set_uid(line.uids[line.placed++]);
    sim_enter_field();
    line.onReader = true;
    if (line.placed == 2 && line.leaveAfterPlacing >= 0) sim_leave_field_after(line.leaveAfterPlacing);
}

void take_away(Line& line)
{
    Bytes memory(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE);
    sim_read_memory(0, memory.data(), static_cast<int>(memory.size()));
    line.memories.push_back(memory);
    sim_leave_field();
    sim_leave_field_after(-1);
    line.onReader = false;
}

bool wait(void* context, ProduceWait what, const TagOpening&)
{
    Line& line = *static_cast<Line*>(context);
    line.clock += kPollMs;
    // The first tag stays a while and misses line.flicker polls before it goes; the others go at once.
    int n = line.leaveWaits++;
    if (n > 100) return false;  // a tag never let go: stopped, so that the checks tell
    if (line.placed == 1 && !line.flickered) {
        if (n == 1) sim_leave_field();
        line.flickered = n == 1 + line.flicker;
        if (line.flickered) sim_enter_field();
    } else if (line.onReader) {
        take_away(line);
    } else if (what == ProduceWait::forTag) {
        if (line.placed == line.uids.size()) return false;  // as Ctrl+C does
        place(line);
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
    static_cast<Line*>(context)->leaveWaits = 0;
    return true;
}

Line reserved;  // the reservation rows, in turn

const LogSource kSource = {"line-7", "example.set", "0123ABCD", "1.2.0", nullptr, "0.9"};

std::string row(const std::string& time, uint64_t uid, const std::string& rest, const char* command = "produce")
{
    char text[17];
    snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(uid));
    return "2026-12-08 " + time + ",line-7," + command + ",example.set,0123ABCD,1.2.0," + text + "," + rest + ",0.9\n";
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
    ProduceHooks hooks{&line, wait, now, clock_ms, log, nullptr, nullptr, nullptr};
};

// The first tag misses polls spanning (polls - 1) * kPollMs: less than LEAVE_MS, it is the same tag;
// at least LEAVE_MS, it has gone and is handled again on its return (a row, nothing to write).
struct Flicker {
    int polls;
    bool handledAgain;
};
class FlickeringTag : public Production, public ::testing::WithParamInterface<Flicker> {};

TEST_P(FlickeringTag, ThreeTagsInTurnEachHoldingTheSetHandledAgainOnlyAfterTheLeaveTime)
{
    line.flicker = GetParam().polls;
    ProduceResult result = produce(*set, RunKind::produce, 0, nullptr, kSource, hooks);
    std::vector<uint64_t> uids = {0xE002000000000001ull, 0xE002000000000002ull, 0xE002000000000003ull};
    if (GetParam().handledAgain) uids.insert(uids.begin(), uids[0]);
    std::vector<std::string> rows;
    for (size_t i = 0; i < uids.size(); ++i)
        rows.push_back(row("23:1" + std::to_string(3 + i) + ":20", uids[i], "ok,,"));
    EXPECT_EQ(result.devices, static_cast<int>(uids.size()));
    EXPECT_EQ(result.failed, 0);
    EXPECT_FALSE(result.logFailed);
    EXPECT_EQ(line.log, rows);
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 3 * 25);
    ASSERT_EQ(line.memories.size(), 3u);
    Bytes expected = with_example_set(Bytes(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF));
    for (const Bytes& memory : line.memories) EXPECT_EQ(hex_bytes(memory), hex_bytes(expected));
}

INSTANTIATE_TEST_SUITE_P(Production, FlickeringTag,
                         ::testing::Values(Flicker{1, false}, Flicker{2, false},
                                           Flicker{1 + (LEAVE_MS - 1) / kPollMs, false},  // the longest flicker
                                           Flicker{1 + (LEAVE_MS + kPollMs - 1) / kPollMs, true}));  // gone

TEST_F(Production, ATagTakenAwayMidApplyIsAFailedDeviceAndTheLineGoesOn)
{
    // Identification, 25 reads, identification, the password and 5 writes (blocks 9-13); block 14
    // finds no tag.
    line.leaveAfterPlacing = 1 + 25 + 1 + 1 + 5;
    // Numbered: the failed device keeps its number, the next gets the next.
    Numbering number = {6, 1, 1, 127};  // "Addr"
    ProduceResult result = produce(*set, RunKind::produce, 3, &number, kSource, hooks);
    EXPECT_EQ(result.devices, 3);
    EXPECT_EQ(result.failed, 1);
    ASSERT_EQ(line.log.size(), 3u);
    EXPECT_EQ(line.log[1],
              row("23:14:20", 0xE002000000000002ull,
                  "failed,Addr=2,\"\"\"Mode\"\" \"\"Addr\"\" \"\"Baud\"\" \"\"Tmax\"\" \"\"Tmin\"\" "
                  "\"\"Vmin\"\" \"\"Imax\"\" \"\"Fpwm\"\" \"\"Log\"\" \"\"Clock\"\" \"\"Cal\"\" \"\"Gain\"\" "
                  "\"\"Reset\"\" \"\"Lang\"\" \"\"Beep\"\" \"\"Dim\"\" \"\"Eco\"\" \"\"Serv\"\" \"\"Cust\"\"\""));
    EXPECT_EQ(line.log[2], row("23:15:20", 0xE002000000000003ull, "ok,Addr=3,"));
    EXPECT_EQ(line.memories.size(), 2u);  // ends at the count, the third tag still on the reader
}

TEST_F(Production, NumbersGoInTheSameWritesAndTheRunStopsBeforeOneThatDoesNotFit)
{
    Numbering number = {6, 120, 3, 127};  // "Addr", int8: 120, 123, 126, then 129 would not fit
    line.uids.push_back(0xE002000000000004ull);
    ProduceResult result = produce(*set, RunKind::produce, 0, &number, kSource, hooks);
    EXPECT_EQ(result.devices, 3);
    EXPECT_TRUE(result.numbersUsedUp);
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 3 * 25);  // no write more than without numbers
    ASSERT_EQ(line.memories.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(line.log[i].find(",ok,Addr=" + std::to_string(120 + 3 * i) + ","), std::string::npos) << i;
        EXPECT_EQ(hex_bytes(Bytes(line.memories[i].begin() + 40, line.memories[i].begin() + 43)),
                  hex_bytes(reference_image(120 + 3 * i, 1)));
    }
}

// A tag the log has done is left as it is and not counted; a verifying station compares only.
TEST_F(Production, ADoneTagIsLeftAloneAndAVerifyingStationWritesNothing)
{
    hooks.look_up = [](void*, uint64_t uid, LogKnows* knows) {
        *knows = LogKnows{uid == 0xE002000000000002ull, false, 0, false, 0, false};
        return true;
    };
    hooks.reserve = [](void*, const char*) { return true; };
    ProduceResult result = produce(*set, RunKind::produce, 0, nullptr, kSource, hooks);
    EXPECT_EQ(result.devices, 2);
    EXPECT_EQ(result.skipped, 1);
    ASSERT_EQ(line.memories.size(), 3u);
    EXPECT_EQ(line.memories[1], Bytes(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF));
    EXPECT_EQ(line.log.size(), 2u);

    SetUp();
    line = first_three();
    hooks.look_up = nullptr;
    Bytes done = with_example_set(Bytes(SIM_MAX_BLOCKS * SIM_BLOCK_SIZE, 0xFF));
    line.start = {done, done};
    line.start[1][40] = 18;  // "Addr" 18 with the CRC of 17: not set
    result = produce(*set, RunKind::verify, 2, nullptr, kSource, hooks);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK) + sim_calls(SIM_PRESENT_PASSWORD), 0);
    EXPECT_EQ(line.log, (std::vector<std::string>{
                            row("23:13:20", 0xE002000000000001ull, "same,,", "verify"),
                            row("23:14:20", 0xE002000000000002ull, "different,,\"\"\"Addr\"\"\"", "verify")}));
}

// Each number decided at the device from what the log holds then: a tag the log numbered keeps its
// number, a new one gets the next after the highest any station has given; the reservation row
// is stored before the tag is written.
TEST_F(Production, ANumberedTagKeepsItsNumberAndContinueFollowsTheLogAtEachDevice)
{
    hooks.look_up = [](void* context, uint64_t uid, LogKnows* knows) {
        size_t rows = static_cast<Line*>(context)->log.size();
        *knows = LogKnows{false, uid == 0xE002000000000002ull, 7, true, rows < 2 ? 20 : 40, false};
        return true;
    };
    hooks.reserve = [](void*, const char* row) {
        if (row != nullptr) {
            EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK) % 25, 0) << row;
        }
        return row == nullptr || log(&reserved, row);
    };
    Numbering number = {6, 21, 1, 127, true};  // "Addr" continued after the log's 20
    reserved.log.clear();
    produce(*set, RunKind::produce, 3, &number, kSource, hooks);
    EXPECT_EQ(line.log, (std::vector<std::string>{row("23:13:20", 0xE002000000000001ull, "ok,Addr=21,"),
                                                  row("23:14:20", 0xE002000000000002ull, "ok,Addr=7,"),
                                                  row("23:15:20", 0xE002000000000003ull, "ok,Addr=41,")}));
    ASSERT_EQ(reserved.log.size(), 3u);
    EXPECT_NE(reserved.log[2].find(",writing,Addr=41,"), std::string::npos);
}

// Logs as a spreadsheet may save them (a byte order mark, ';', CR LF, every field quoted, a column
// of its own) read field by field; a row cut at the end is cut, not malformed; any other row that
// cannot be read is named by its line and field.
TEST(ProductionLog, LogsAsSavedReadFieldByFieldAndBadRowsNamedByLineAndField)
{
    const std::string ours = "time_utc,station,command,set_file,set_crc,tool_version,uid,result,number,parameters\n";
    const std::string row = "t,s,produce,f,829840,v,E002000000000001,ok,N=1,\n";
    struct Case {
        std::string text;
        std::string seen;
    } cases[] = {
        {ours + row + "\n\r\n", "10,\n| 2 s|N=1"},
        {"\xEF\xBB\xBF\"time_utc\";\"x\";\"station\";\"command\";\"set_file\";\"set_crc\";\"tool_version\";\"uid\";"
         "\"result\";\"number\";\"parameters\"\r\n\"t\";\"\";\"a;\"\"b\"\"\r\nc\";\"produce\";\"f\";\"1\";\"v\";"
         "\"e002000000000001\";\"writing\";\"N=-5\";\"\"\r\n;;;;;;;;;;\r\n",
         "11;\r\n| 2 a;\"b\"\r\nc|N=-5"},
        {ours + row + "t,s,produce,f,1,v,E002000000000001,ok,N=1,\"open", "10,\n| 2 s|N=1 3 cut"},
        {ours + "t,s,produce,f,1,v,E002000000000001,ok,N=1", "10,\n| 2 cut"},
        {ours + "t,s\"x,produce,f,1,v,E002000000000001,ok,,\n" + row, "10,\n| 2 bad 2 3 s|N=1"},
        {ours + "t,\"s\"x,produce,f,1,v,E002000000000001,ok,,\n", "10,\n| 2 bad 2"},
        {ours + "t,s\r,produce,f,1,v,E002000000000001,ok,,\n", "10,\n| 2 bad 2"},
        {ours + "t,s,produce,f,1,v,E002000000000001,ok,,,\n", "10,\n| 2 bad 11"},
        {ours + "t,s,produce,f,1,v,E002000000000001,ok\n", "10,\n| 2 bad 9"},
        {ours + "t,s,Produce,f,1,v,E002000000000001,ok,,\n", "10,\n| 2 bad 3"},
        {ours + "t,s,produce,f,1,v,E00200000000001,ok,,\n", "10,\n| 2 bad 7"},
        {ours + "t,s,produce,f,123456789,v,E002000000000001,ok,,\n", "10,\n| 2 bad 5"},
        {ours + "t,s,produce,f,1,v,E002000000000001,done,,\n", "10,\n| 2 bad 8"},
        {ours + "t,s,produce,f,1,v,E002000000000001,ok,N =1,\n", "10,\n| 2 bad 9"},
        {ours + "t,s,produce,f,1,v,E002000000000001,ok,N= 1,\n", "10,\n| 2 bad 9"},
        {"time_utc,station\n", "another format"},
        {"2026-12-08 23:13:20 UTC E002000000000001 ok\n", "another format"},
        {ours.substr(0, ours.size() - 1), "10,\n| header cut"},
    };
    auto read = std::make_unique<LogRow>();
    for (const Case& c : cases) {
        TextCursor cursor;
        ByteStream in = text_byte_stream(&cursor, c.text.data(), c.text.size());
        LogFormat format = {};
        long length = 0;
        LogRead r = read_log_header(in, &format, &length);
        std::string seen = r == LogRead::malformed
                               ? "another format"
                               : std::to_string(format.count) + format.separator + (format.crlf ? "\r\n|" : "\n|");
        if (r == LogRead::cut) seen += " header cut";
        int line = 1;
        while (r == LogRead::row && (r = read_log_row(in, format, &line, read.get())) != LogRead::end) {
            seen += " " + std::to_string(read->line);
            if (r == LogRead::row) seen += " " + std::string(read->field[LOG_STATION]) + "|" + read->field[LOG_NUMBER];
            if (r == LogRead::cut) seen += " cut";
            if (r == LogRead::malformed) seen += " bad " + std::to_string(read->badColumn + 1);
            if (r == LogRead::malformed) r = LogRead::row;
        }
        EXPECT_EQ(seen, c.seen) << c.text;
    }

    // New rows in the file's way: its separator, line end and columns, another's column left empty.
    LogFormat format = {';', true, 11, {0, -1, 1, 2, 3, 4, 5, 6, 7, 8, 9}};
    const char* fields[LOG_COLUMNS] = {"t", "a;b", "produce", "say \"hi\"", "1", "v", "u", "ok", "N=1", "two\nlines"};
    char written[200];
    ASSERT_TRUE(join_log_row(format, fields, written, sizeof written));
    EXPECT_STREQ(written, "t;;\"a;b\";produce;\"say \"\"hi\"\"\";1;v;u;ok;N=1;\"two\nlines\"\r\n");
    EXPECT_FALSE(join_log_row(format, fields, written, strlen("t;;\"a;b\";produce;")));
}

}  // namespace
