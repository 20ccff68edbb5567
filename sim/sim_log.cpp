// The request log (fixed capacity, so that logging never allocates) and the per-kind call counters.
#include "sim/sim_log.h"

#include <cstring>

#include "sim/sim_core.h"

namespace {

struct LogEntry {
    SimKind kind;
    char text[SIM_LOG_TEXT_SIZE];
};

LogEntry logEntries[SIM_LOG_CAPACITY];
int logCount = 0;
long logDropped = 0;
long callCounts[SIM_KIND_COUNT];

const char* const KIND_NAMES[SIM_KIND_COUNT] = {
    "connect",          "check",          "select",      "read_block",  "write_block", "system_info",
    "present_password", "write_password", "lock_sector", "any_request",
};

}  // namespace

void sim_log_add(SimKind kind, const char* text)
{
    if (logCount == SIM_LOG_CAPACITY) {
        ++logDropped;
        return;
    }
    LogEntry& e = logEntries[logCount++];
    e.kind = kind;
    size_t n = text ? strnlen(text, SIM_LOG_TEXT_SIZE - 1) : 0;
    if (n) std::memcpy(e.text, text, n);
    e.text[n] = '\0';
}

int sim_log_count()
{
    return logCount;
}
const char* sim_log_entry(int i)
{
    return i >= 0 && i < logCount ? logEntries[i].text : "";
}
SimKind sim_log_kind(int i)
{
    return i >= 0 && i < logCount ? logEntries[i].kind : SIM_ANY_REQUEST;
}
long sim_log_dropped()
{
    return logDropped;
}

void sim_clear_log()
{
    logCount = 0;
    logDropped = 0;
}

void sim_count_call(SimKind kind)
{
    if (kind >= 0 && kind < SIM_KIND_COUNT) ++callCounts[kind];
}

long sim_calls(SimKind kind)
{
    return kind >= 0 && kind < SIM_KIND_COUNT ? callCounts[kind] : 0;
}

void sim_clear_counters()
{
    std::memset(callCounts, 0, sizeof callCounts);
}

const char* sim_kind_name(SimKind kind)
{
    return kind >= 0 && kind < SIM_KIND_COUNT ? KIND_NAMES[kind] : "";
}

bool sim_kind_from_name(const char* name, SimKind* kind)
{
    for (int k = 0; k < SIM_KIND_COUNT; ++k) {
        if (std::strcmp(name, KIND_NAMES[k]) == 0) {
            *kind = (SimKind)k;
            return true;
        }
    }
    return false;
}

// Counting goes by the command byte alone, so a malformed request still counts as what it tried.
SimKind sim_request_kind(const char* text)
{
    if (!text || strnlen(text, 4) < 4) return SIM_ANY_REQUEST;
    int hi = sim_hex_digit(text[2]), lo = sim_hex_digit(text[3]);
    if (hi < 0 || lo < 0) return SIM_ANY_REQUEST;
    switch (hi * 16 + lo) {
    case 0x20: return SIM_READ_BLOCK;
    case 0x21: return SIM_WRITE_BLOCK;
    case 0x2B: return SIM_SYSTEM_INFO;
    case 0xB3: return SIM_PRESENT_PASSWORD;
    case 0xB1: return SIM_WRITE_PASSWORD;
    case 0xB2: return SIM_LOCK_SECTOR;
    default: return SIM_ANY_REQUEST;
    }
}
