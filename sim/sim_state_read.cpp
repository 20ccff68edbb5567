// Tolerant reader of the simulator's state file: one parsing core fed line by line from a file
// or a string; every number is range-checked and anything not understood is skipped.
#include "sim/sim_state_read.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "sim/sim_core.h"
#include "sim/sim_open.h"

namespace {

enum { MAX_TOKENS = SIM_STATE_LINE_MAX / 2 };

int digit(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    return v < base ? v : -1;
}

// Whole token as a number in [0, max]; no sign, no prefix, no overflow.
bool number(const char* s, int base, unsigned long long max, unsigned long long* out)
{
    if (!s || !*s) return false;
    unsigned long long v = 0;
    for (; *s; ++s) {
        int d = digit(*s, base);
        if (d < 0 || (unsigned)d > max || v > (max - (unsigned)d) / (unsigned)base) return false;
        v = v * (unsigned)base + (unsigned)d;
    }
    *out = v;
    return true;
}

bool flag(const char* s, bool* out)
{
    unsigned long long v;
    if (!number(s, 10, 1, &v)) return false;
    *out = v != 0;
    return true;
}

// Splits in place at blanks; a '#' starts a comment.
int tokenize(char* line, char** tokens)
{
    if (char* hash = std::strchr(line, '#')) *hash = '\0';
    int n = 0;
    for (char* p = std::strtok(line, " \t\r"); p && n < MAX_TOKENS; p = std::strtok(nullptr, " \t\r")) tokens[n++] = p;
    return n;
}

void add_fault(SimState* s, SimFaultType type, char** t, int n)
{
    SimKind kind;
    unsigned long long count, code = SIM_ERR_OTHER;
    if (n < 3 || !sim_kind_from_name(t[1], &kind) || !number(t[2], 10, 1000000000, &count)) return;
    if (type == SIM_FAULT_FLAG_ANSWER && n > 3 && !number(t[3], 16, 0xFF, &code)) return;
    sim_add_fault(s, type, kind, static_cast<int>(count), static_cast<uint8_t>(code));
}

// "block N XXXXXXXX ..." fills blocks N, N+1, ... and is taken only if every group is good.
void set_blocks(SimState* s, char** t, int n)
{
    unsigned long long first, value;
    if (n < 3 || !number(t[1], 10, SIM_MAX_BLOCKS - 1, &first) || first + (unsigned)(n - 2) > SIM_MAX_BLOCKS) return;
    for (int i = 2; i < n; ++i)
        if (std::strlen(t[i]) != 8 || !number(t[i], 16, 0xFFFFFFFF, &value)) return;
    for (int i = 2; i < n; ++i) {
        number(t[i], 16, 0xFFFFFFFF, &value);
        uint8_t* b = s->memory + (first + (unsigned)(i - 2)) * SIM_BLOCK_SIZE;
        for (int k = 0; k < SIM_BLOCK_SIZE; ++k) b[k] = (uint8_t)(value >> (24 - 8 * k));
    }
}

void apply(SimState* s, char** t, int n)
{
    unsigned long long a, b;
    bool absent;
    const char* key = t[0];
    if (n < 2) return;
    if (!std::strcmp(key, "uid") && number(t[1], 16, ~0ull, &a)) s->uid = a;
    else if (!std::strcmp(key, "dsfid") && number(t[1], 16, 0xFF, &a)) s->dsfid = (uint8_t)a;
    else if (!std::strcmp(key, "afi") && number(t[1], 16, 0xFF, &a)) s->afi = (uint8_t)a;
    else if (!std::strcmp(key, "ic_reference") && number(t[1], 16, 0xFF, &a)) s->icReference = (uint8_t)a;
    else if (!std::strcmp(key, "blocks") && number(t[1], 10, SIM_MAX_BLOCKS, &a) && a > 0) s->blockCount = (int)a;
    else if (!std::strcmp(key, "password") && n > 2 && number(t[1], 10, SIM_PASSWORDS, &a) && a > 0 &&
             number(t[2], 16, 0xFFFFFFFF, &b))
        s->passwords[a] = (uint32_t)b;
    else if (!std::strcmp(key, "sector") && n > 2 && number(t[1], 10, SIM_SECTORS - 1, &a) &&
             number(t[2], 16, SIM_SECTOR_STATUS_MASK, &b))
        s->sectors[a] = (uint8_t)b;
    else if (!std::strcmp(key, "tag_absent") && flag(t[1], &absent)) s->inField = !absent;
    else if (!std::strcmp(key, "reader_absent")) flag(t[1], &s->readerAbsent);
    else if (!std::strcmp(key, "select_refused")) flag(t[1], &s->selectRefused);
    else if (!std::strcmp(key, "leave_after")) {
        if (!std::strcmp(t[1], "none")) s->leaveAfter = -1;
        else if (number(t[1], 10, 1000000000, &a)) s->leaveAfter = (int)a;
    } else if (!std::strcmp(key, "conveyor")) {
        if (!std::strcmp(t[1], "none")) s->conveyor = -1;
        else if (number(t[1], 10, 1000000000, &a)) s->conveyor = (int)a;
    } else if (!std::strcmp(key, "conveyor_written")) {
        flag(t[1], &s->conveyorWritten);
    } else if (!std::strcmp(key, "delay_us") && number(t[1], 10, 10000000, &a)) s->delayUs = (unsigned)a;
    else if (!std::strcmp(key, "fail_call")) add_fault(s, SIM_FAULT_FAIL_CALL, t, n);
    else if (!std::strcmp(key, "flag_answer")) add_fault(s, SIM_FAULT_FLAG_ANSWER, t, n);
    else if (!std::strcmp(key, "block")) set_blocks(s, t, n);
}

struct TextCursor {
    const char* p;
};

int next_text_line(char* line, size_t size, void* context)
{
    TextCursor* c = static_cast<TextCursor*>(context);
    if (!*c->p) return -1;
    size_t len = std::strcspn(c->p, "\n");
    const char* end = c->p + len;
    c->p = *end ? end + 1 : end;
    if (len >= size) return 0;
    std::memcpy(line, end - len, len);
    line[len] = '\0';
    return 1;
}

int next_file_line(char* line, size_t size, void* context)
{
    FILE* f = static_cast<FILE*>(context);
    if (!std::fgets(line, (int)size, f)) return -1;
    size_t len = std::strlen(line);
    if (len > 0 && line[len - 1] == '\n') {
        line[len - 1] = '\0';
        return 1;
    }
    int c = std::fgetc(f);
    if (c == EOF || c == '\n') return 1;  // the line just filled the buffer
    while (c != EOF && c != '\n') c = std::fgetc(f);
    return 0;
}

void parse_into(SimState* s, SimLineSource next, void* context)
{
    sim_factory_state(s);
    char line[SIM_STATE_LINE_MAX];
    char* tokens[MAX_TOKENS];
    for (int got = next(line, sizeof line, context); got >= 0; got = next(line, sizeof line, context)) {
        if (got == 0) continue;
        int n = tokenize(line, tokens);
        if (n > 0) apply(s, tokens, n);
    }
}

// The USB handle belongs to the running library, not to the file: it stays open across a
// reload unless the file takes the reader away.
void take(const SimState& s)
{
    bool open = simState.usbOpen && !s.readerAbsent;
    simState = s;
    simState.usbOpen = open;
}

}  // namespace

void sim_state_parse(SimLineSource next, void* context)
{
    SimState s;
    parse_into(&s, next, context);
    take(s);
}

void sim_state_read_text(const char* text)
{
    TextCursor cursor{text ? text : ""};
    sim_state_parse(next_text_line, &cursor);
}

SimLoad sim_state_read_file(const char* path)
{
    FILE* f = sim_open(path, "r");
    if (!f) return errno == ENOENT ? SIM_FILE_MISSING : SIM_FILE_UNREADABLE;
    SimState s;
    parse_into(&s, next_file_line, f);
    // A folder opens as a file on some systems and fails at the first read.
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return SIM_FILE_UNREADABLE;
    take(s);
    return SIM_FILE_LOADED;
}

bool sim_state_load(const char* path)
{
    return sim_state_read_file(path) == SIM_FILE_LOADED;
}
