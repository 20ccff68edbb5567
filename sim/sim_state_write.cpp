// Writes the simulator's state file: every key, one block of memory per line, so that a test
// or a person can find a block with a plain text search.
#include "sim/sim_state_write.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "sim/sim_core.h"
#include "sim/sim_open.h"
#include "sim/sim_state_read.h"

namespace {

struct Sink {
    void (*put)(Sink* sink, const char* text, size_t length);
    char* out;
    size_t size;
    size_t length;  // characters the whole text needs
    FILE* file;
    bool ok;
};

void put_buffer(Sink* sink, const char* text, size_t length)
{
    if (sink->length + 1 < sink->size) {
        size_t room = sink->size - 1 - sink->length;
        std::memcpy(sink->out + sink->length, text, length < room ? length : room);
    }
    sink->length += length;
}

void put_file(Sink* sink, const char* text, size_t length)
{
    if (std::fwrite(text, 1, length, sink->file) != length) sink->ok = false;
    sink->length += length;
}

__attribute__((format(printf, 2, 3))) void line(Sink* sink, const char* format, ...)
{
    char text[SIM_STATE_LINE_MAX];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) return;
    size_t len = (size_t)n < sizeof text ? (size_t)n : sizeof text - 1;
    sink->put(sink, text, len);
    sink->put(sink, "\n", 1);
}

void write_state(Sink* sink)
{
    const SimState& s = simState;
    line(sink, "# Simulated ISO/IEC 15693 tag and NFC reader (stand-in CR95HF.dll, development aid).");
    line(sink, "# Hexadecimal: uid, dsfid, afi, ic_reference, password and sector values, block data,");
    line(sink, "# flag_answer codes. Decimal: block, sector and password numbers, counts, delay_us.");
    line(sink, "uid %016llX", (unsigned long long)s.uid);
    line(sink, "dsfid %02X", s.dsfid);
    line(sink, "afi %02X", s.afi);
    line(sink, "ic_reference %02X", s.icReference);
    line(sink, "blocks %d", s.blockCount);
    for (int i = 1; i <= SIM_PASSWORDS; ++i) line(sink, "password %d %08lX", i, (unsigned long)s.passwords[i]);
    for (int i = 0; i < SIM_SECTORS; ++i) line(sink, "sector %d %02X", i, s.sectors[i]);
    line(sink, "tag_absent %d", s.inField ? 0 : 1);
    line(sink, "reader_absent %d", s.readerAbsent ? 1 : 0);
    line(sink, "select_refused %d", s.selectRefused ? 1 : 0);
    if (s.leaveAfter < 0) line(sink, "leave_after none");
    else line(sink, "leave_after %d", s.leaveAfter);
    if (s.conveyor < 0) line(sink, "conveyor none");
    else line(sink, "conveyor %d", s.conveyor);
    line(sink, "conveyor_written %d", s.conveyorWritten ? 1 : 0);
    line(sink, "delay_us %u", s.delayUs);
    for (int i = 0; i < s.faultCount; ++i) {
        const SimFault& f = s.faults[i];
        if (f.type == SIM_FAULT_FAIL_CALL) line(sink, "fail_call %s %d", sim_kind_name(f.kind), f.remaining);
        else line(sink, "flag_answer %s %d %02X", sim_kind_name(f.kind), f.remaining, f.code);
    }
    for (int b = 0; b < SIM_MAX_BLOCKS; ++b) {
        const uint8_t* m = s.memory + b * SIM_BLOCK_SIZE;
        line(sink, "block %d %02X%02X%02X%02X", b, m[0], m[1], m[2], m[3]);
    }
}

}  // namespace

size_t sim_state_write_text(char* out, size_t size)
{
    Sink sink{put_buffer, out, size, 0, nullptr, true};
    write_state(&sink);
    if (size > 0) out[sink.length < size ? sink.length : size - 1] = '\0';
    return sink.length;
}

bool sim_state_save(const char* path)
{
    FILE* f = sim_open(path, "w");
    if (!f) return false;
    Sink sink{put_file, nullptr, 0, 0, f, true};
    write_state(&sink);
    return std::fclose(f) == 0 && sink.ok;
}
