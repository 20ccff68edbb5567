// Fuzz target: arbitrary bytes through the loader alone (load_config_text; no file, no dialog,
// no tag). Checks the table's limits, that the lines the trace is told about are the input cut
// as the tool cuts it (header at most 29 bytes, definitions at most 254, a line feed only at the
// end of a line, a carriage return dropped only before a line feed, nothing lost or added), that
// the definitions are counted into the table as their verdicts say, that the tool's own load
// stops at the 100th parameter, and that a trace does not change what is loaded.
#include <string.h>

#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/table_check.h"
#include "model/config.h"
#include "model/param_table.h"

namespace {

struct Line {
    std::string text;
    bool unread;
};

struct Seen {
    std::string header;
    std::vector<Line> lines;
    uint32_t accepted;
    bool headerCalled;
};

std::string taken(const char* line, int length)
{
    FUZZ_CHECK(length > 0 && line[length] == '\0', "line of %d bytes not terminated", length);
    return std::string(line, static_cast<size_t>(length));
}

void on_header(void* context, const char* line, int length, const HeaderReading&)
{
    Seen& seen = *static_cast<Seen*>(context);
    FUZZ_CHECK(!seen.headerCalled && seen.lines.empty(), "header after other lines");
    seen.headerCalled = true;
    seen.header = taken(line, length);
}

void on_definition(void* context, const char* line, int length, LineVerdict verdict, uint32_t index)
{
    Seen& seen = *static_cast<Seen*>(context);
    FUZZ_CHECK(index == seen.accepted && index < PARAM_COUNT, "definition into record %u after %u accepted", index,
               seen.accepted);
    if (verdict == LineVerdict::accepted || verdict == LineVerdict::acceptedWithDefault) {
        const char* name = strstr(line, "Name=\"");
        FUZZ_CHECK(name != nullptr && strncmp(name + 6, ParamTable[index].name, strlen(ParamTable[index].name)) == 0,
                   "record %u: name \"%s\" not from its line", index, ParamTable[index].name);
        ++seen.accepted;
    }
    seen.lines.push_back({taken(line, length), false});
}

void on_unread(void* context, const char* line, int length)
{
    Seen& seen = *static_cast<Seen*>(context);
    FUZZ_CHECK(seen.accepted == PARAM_COUNT, "unread line after %u parameters", seen.accepted);
    seen.lines.push_back({taken(line, length), true});
}

// A line is full, ends in a line feed, or is the last one; a line feed stands only at its end.
void check_cut(const std::string& line, size_t limit, bool last)
{
    FUZZ_CHECK(line.size() <= limit, "line of %zu bytes, at most %zu", line.size(), limit);
    size_t feed = line.find('\n');
    FUZZ_CHECK(feed == std::string::npos || feed + 1 == line.size(), "line feed inside a line");
    FUZZ_CHECK(last || line.size() == limit || feed != std::string::npos, "short line without a line feed");
}

struct Loaded {
    ParamEntry table[PARAM_COUNT];
    uint32_t count, last, password, scanEnabled;
    int32_t setsecurity, scanInterval;
};

Loaded snapshot()
{
    Loaded l;
    memset(&l, 0, sizeof l);
    memcpy(l.table, ParamTable, sizeof l.table);
    l.count = entryCount;
    l.last = lastPage;
    l.password = password;
    l.scanEnabled = scanEnabled;
    l.setsecurity = Setsecurity;
    l.scanInterval = scanInterval;
    return l;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    Seen seen = {"", {}, 0, false};
    ConfigTrace trace = {&seen, on_header, on_definition, on_unread};
    reset_settings();
    load_config_text(bytes, size, &trace);
    check_loaded_table(MEMORY_SIZE);
    FUZZ_CHECK(seen.accepted == entryCount, "%u accepted lines, %u records", seen.accepted, entryCount);
    FUZZ_CHECK(scanEnabled == (strstr(seen.header.c_str(), "scan") != nullptr ? 1u : 0u), "scanning %u", scanEnabled);
    FUZZ_CHECK(scanInterval >= SCAN_INTERVAL_MIN, "scan interval %d", scanInterval);

    // Every byte is in exactly one line, but a byte order mark at the start, what follows a
    // Ctrl-Z, the carriage returns before a line feed and the rest of an overlong header.
    size_t start = size >= 3 && memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0, stop = start;
    while (stop < size && data[stop] != 0x1A) ++stop;
    std::string expected;
    for (size_t i = start; i < stop; ++i)
        if (!(data[i] == '\r' && i + 1 < stop && data[i + 1] == '\n')) expected += bytes[i];
    if (seen.header.size() == HEADER_LINE_SIZE - 1 && seen.header.back() != '\n') {
        size_t feed = expected.find('\n', seen.header.size());
        expected.erase(seen.header.size(),
                       feed == std::string::npos ? std::string::npos : feed + 1 - seen.header.size());
    }
    FUZZ_CHECK(seen.headerCalled == !expected.empty(), "header told for %zu bytes", expected.size());
    std::string joined = seen.header;
    check_cut(seen.header, HEADER_LINE_SIZE - 1, seen.lines.empty());
    for (size_t i = 0; i < seen.lines.size(); ++i) {
        check_cut(seen.lines[i].text, DEFINITION_LINE_SIZE - 1, i + 1 == seen.lines.size());
        joined += seen.lines[i].text;
    }
    FUZZ_CHECK(joined == expected, "lines hold %zu bytes, the input %zu without its dropped carriage returns",
               joined.size(), expected.size());

    // The tool's own load, without a trace: the same table and settings.
    Loaded traced = snapshot();
    reset_settings();
    load_config_text(bytes, size, nullptr);
    Loaded plain = snapshot();
    FUZZ_CHECK(memcmp(&traced, &plain, sizeof traced) == 0, "a trace changed the load");
    return 0;
}
