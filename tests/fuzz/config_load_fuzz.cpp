// Fuzz target: arbitrary bytes through the loader alone (load_config_text; no file, no dialog,
// no tag). Checks the table's limits, that the lines the trace is told about are the input cut
// as the tool cuts it (header and definitions at most 254 bytes, the rest of a longer header passed over, a line feed
// only at the end of a line, a carriage return dropped only before a line feed, nothing lost or added), that the
// definitions are counted into the table as their verdicts say, and that the tool's own load stops at the 100th
// parameter. One load an input, its trace checked in the same pass.
#include <string.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/table_check.h"
#include "model/config.h"
#include "model/config_load.h"
#include "model/param_table.h"

namespace {

// The lines as the trace is told them, checked as they come: one joined text and no allocation
// per line, so that a load costs little more than the load itself.
struct Seen {
    std::string header;
    std::string joined;  // every line told, in order
    int lines;
    bool shortOpen;  // the last line told was short and had no line feed: no line may follow
    uint32_t accepted;
    bool headerCalled;
};

// A line is full, ends in a line feed, or is the last one; a line feed stands only at its end.
void take(Seen& seen, const char* line, int length, int limit)
{
    FUZZ_CHECK(length > 0 && line[length] == '\0', "line of %d bytes not terminated", length);
    FUZZ_CHECK(!seen.shortOpen, "a line after a short line without a line feed");
    FUZZ_CHECK(length <= limit, "line of %d bytes, at most %d", length, limit);
    const char* feed = static_cast<const char*>(memchr(line, '\n', static_cast<size_t>(length)));
    FUZZ_CHECK(feed == nullptr || feed == line + length - 1, "line feed inside a line");
    seen.shortOpen = feed == nullptr && length < limit;
    seen.joined.append(line, static_cast<size_t>(length));
    ++seen.lines;
}

void on_header(void* context, const char* line, int length, const HeaderReading&)
{
    Seen& seen = *static_cast<Seen*>(context);
    FUZZ_CHECK(!seen.headerCalled && seen.lines == 0, "header after other lines");
    seen.headerCalled = true;
    take(seen, line, length, HEADER_LINE_SIZE - 1);
    seen.header.assign(line, static_cast<size_t>(length));
}

void on_definition(void* context, const char* line, int length, LineVerdict verdict, const LineDetail&, uint32_t index)
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
    take(seen, line, length, DEFINITION_LINE_SIZE - 1);
}

void on_unread(void* context, const char* line, int length)
{
    Seen& seen = *static_cast<Seen*>(context);
    FUZZ_CHECK(seen.accepted == PARAM_COUNT, "unread line after %u parameters", seen.accepted);
    take(seen, line, length, DEFINITION_LINE_SIZE - 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    Seen seen = {"", "", 0, false, 0, false};
    seen.joined.reserve(size);
    ConfigTrace trace = {&seen, on_header, on_definition, on_unread};
    reset_settings();
    load_config_text(bytes, size, &trace);
    check_loaded_table(MEMORY_SIZE);
    FUZZ_CHECK(seen.accepted == entryCount, "%u accepted lines, %u records", seen.accepted, entryCount);
    FUZZ_CHECK(scanEnabled == (strstr(seen.header.c_str(), "scan") != nullptr ? 1u : 0u), "scanning %u", scanEnabled);
    FUZZ_CHECK(scanInterval >= SCAN_INTERVAL_MIN, "scan interval %d", scanInterval);

    // Every byte is in exactly one line, but a byte order mark at the start, what follows a
    // Ctrl-Z, the carriage returns before a line feed and the rest of an overlong header.
    size_t start = size >= 3 && memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    const void* end = memchr(data + start, 0x1A, size - start);
    size_t stop = end != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(end) - data) : size;
    std::string expected;
    expected.reserve(stop - start);
    for (size_t i = start; i < stop;) {  // a run up to a carriage return at a time
        const void* ret = memchr(data + i, '\r', stop - i);
        size_t at = ret != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(ret) - data) : stop;
        expected.append(bytes + i, at - i);
        if (at < stop && !(at + 1 < stop && data[at + 1] == '\n')) expected += '\r';
        i = at + 1;
    }
    if (seen.header.size() == HEADER_LINE_SIZE - 1 && seen.header.back() != '\n') {
        size_t feed = expected.find('\n', seen.header.size());
        expected.erase(seen.header.size(),
                       feed == std::string::npos ? std::string::npos : feed + 1 - seen.header.size());
    }
    FUZZ_CHECK(seen.headerCalled == !expected.empty(), "header told for %zu bytes", expected.size());
    FUZZ_CHECK(seen.joined == expected, "lines hold %zu bytes, the input %zu without its dropped carriage returns",
               seen.joined.size(), expected.size());

    return 0;
}
