// Reading a set file: one parser fed by a byte source, strict about every line, the first
// problem reported with its line number and nothing of the set kept.
#include "sets/set_read.h"

#include <stdio.h>
#include <string.h>

#include "model/config_load.h"
#include "model/text_number.h"
#include "model/text_quote.h"
#include "model/time_text.h"
#include "model/value_codec.h"
#include "sets/param_set.h"
#include "platform/files.h"

namespace {

const char* const kHeaderKeys[] = {"tool", "uid", "saved", "configuration"};
enum { HEADER_KEYS = 4 };

struct Parse {
    ParamSet* set;
    SetReadError* error;
    int line;
    int headerLine[HEADER_KEYS];  // where each key was given, 0 while it was not
    int endLine;                  // where the end line was, 0 while it was not
};

bool fail(Parse& parse, SetProblem problem, const char* detail = "", int otherLine = 0)
{
    parse.error->problem = problem;
    parse.error->line = parse.line;
    parse.error->otherLine = otherLine;
    // Cut to fit on purpose: a message quotes the start of the token, never a whole long line.
    size_t n = strnlen(detail, sizeof parse.error->detail - 1);
    memcpy(parse.error->detail, detail, n);
    parse.error->detail[n] = '\0';
    return false;
}

enum class LineRead { line, end, tooLong, control, fileTooLong };

// The bytes of the file, counted: no set is anywhere near SET_INPUT_LIMIT, and the bound keeps an
// endless input (a device, a pipe of comments) from being read for ever.
struct Input {
    ByteStream source;
    long bytes;
};

const int kBeyondLimit = -2;

int next_byte(Input& input)
{
    int c = input.source.next(input.source.context);
    if (c < 0 || c > 255) return BYTE_STREAM_END;
    return ++input.bytes > SET_INPUT_LIMIT ? kBeyondLimit : c;
}

// One line without its line end (LF or CR LF). A NUL, a lone CR or another control character but
// the tab is refused: the writer never puts one, so it means a damaged or foreign file.
LineRead read_line(Input& input, char* buf, size_t size)
{
    size_t n = 0;
    int c = next_byte(input);
    if (c == BYTE_STREAM_END) return LineRead::end;
    for (; c >= 0 && c != '\n'; c = next_byte(input)) {
        if (c == '\r') {
            c = next_byte(input);
            if (c == '\n') break;
            return c == kBeyondLimit ? LineRead::fileTooLong : LineRead::control;
        }
        if ((c < 0x20 && c != '\t') || c == 0x7F) return LineRead::control;
        if (n + 1 >= size) return LineRead::tooLong;
        buf[n++] = static_cast<char>(c);
    }
    if (c == kBeyondLimit) return LineRead::fileTooLong;
    while (n > 0 && (buf[n - 1] == ' ' || buf[n - 1] == '\t')) --n;
    buf[n] = '\0';
    return LineRead::line;
}

bool blank(char c)
{
    return c == ' ' || c == '\t';
}

const char* skip(const char* p)
{
    while (blank(*p)) ++p;
    return p;
}

// The next word after at least one blank, into out; false when there is none or it is too long
// (then out holds its start, for the message).
bool take_word(const char** p, char* out, size_t size)
{
    const char* s = *p;
    out[0] = '\0';
    if (!blank(*s)) return false;
    s = skip(s);
    size_t n = 0;
    for (; *s != '\0' && !blank(*s); ++s) {
        if (n + 1 < size) out[n] = *s;
        ++n;
    }
    out[n < size ? n : size - 1] = '\0';
    *p = s;
    return n > 0 && n < size;
}

bool all_digits(const char* s, int least, int most)
{
    int n = 0;
    for (; s[n] != '\0'; ++n)
        if (s[n] < '0' || s[n] > '9') return false;
    return n >= least && n <= most;
}

bool read_hex(const char* s, int digits, uint64_t* value)
{
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
        int d = hex_digit_value(s[i]);
        if (d < 0) return false;
        v = v << 4 | static_cast<uint64_t>(d);
    }
    *value = v;
    return s[digits] == '\0';
}

bool read_tool(const char* text, ParamSet* set)
{
    size_t n = strlen(text);
    if (n == 0 || n >= sizeof set->tool || text[0] < '0' || text[0] > '9') return false;
    for (size_t i = 0; i < n; ++i)
        if ((text[i] < '0' || text[i] > '9') && text[i] != '.') return false;
    memcpy(set->tool, text, n + 1);
    return true;
}

// "27 parameters, fingerprint 5D1C09A2"
bool read_configuration(const char* text, ParamSet* set)
{
    const char* words = strchr(text, ' ');
    if (words == nullptr || words - text > 3) return false;
    char count[4] = {};
    memcpy(count, text, static_cast<size_t>(words - text));
    int32_t n = 0;
    uint64_t fingerprint = 0;
    const char kMiddle[] = " parameters, fingerprint ";
    if (!all_digits(count, 1, 3) || scan_decimal(count, &n) != NumberScan::ok || n > PARAM_COUNT ||
        strncmp(words, kMiddle, strlen(kMiddle)) != 0 || !read_hex(words + strlen(kMiddle), 8, &fingerprint))
        return false;
    set->configCount = static_cast<uint32_t>(n);
    set->fingerprint = static_cast<uint32_t>(fingerprint);
    return true;
}

bool header_line(Parse& parse, const char* p)
{
    char key[16];
    size_t n = 0;
    while (p[n] != '\0' && !blank(p[n]) && n + 1 < sizeof key) key[n] = p[n], ++n;
    key[n] = '\0';
    int k = 0;
    while (k < HEADER_KEYS && strcmp(key, kHeaderKeys[k]) != 0) ++k;
    if (k == HEADER_KEYS) return fail(parse, SetProblem::unknownLine, key);
    if (parse.headerLine[k] != 0) return fail(parse, SetProblem::headerTwice, key, parse.headerLine[k]);
    parse.headerLine[k] = parse.line;
    const char* value = skip(p + n);
    ParamSet* set = parse.set;
    uint64_t uid = 0;
    switch (k) {
    case 0: return read_tool(value, set) || fail(parse, SetProblem::badTool, value);
    case 1:
        if (!read_hex(value, 16, &uid)) return fail(parse, SetProblem::badUid, value);
        set->uid = uid;
        return true;
    case 2: return parse_utc(value, &set->saved) || fail(parse, SetProblem::badSaved, value);
    default: return read_configuration(value, set) || fail(parse, SetProblem::badConfiguration, value);
    }
}

// The value as the type stores it: a software version unsigned, the others signed and in range.
bool read_value(const char* word, ParamType type, int32_t* value)
{
    bool negative = word[0] == '-';
    if (!all_digits(word + negative, 1, 10)) return false;
    int64_t magnitude = 0;
    for (const char* d = word + negative; *d != '\0'; ++d) magnitude = magnitude * 10 + (*d - '0');
    int64_t v = negative ? -magnitude : magnitude;
    int32_t low = 0, high = 0;
    bool ranged = type_range(type, &low, &high);
    int64_t least = ranged ? low : 0, most = ranged ? high : UINT32_MAX;  // a version's number is unsigned
    if (v < least || v > most) return false;
    *value = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
}

bool entry_line(Parse& parse, const char* p)
{
    ParamSet* set = parse.set;
    if (set->count == SET_MAX_ENTRIES) return fail(parse, SetProblem::tooManyEntries);
    SetEntry& e = set->entries[set->count];
    e = SetEntry{};
    e.line = parse.line;
    if (!unquote_text(p, &p, e.name, sizeof e.name)) return fail(parse, SetProblem::badName);
    char word[SET_DETAIL_SIZE];
    int32_t address = -1;
    if (!take_word(&p, word, sizeof word) || !all_digits(word, 1, 4) || scan_decimal(word, &address) != NumberScan::ok)
        return fail(parse, SetProblem::badAddress, word);
    e.address = address;
    bool known = take_word(&p, word, sizeof word);
    for (const TypeKeyword& keyword : typeKeywords)
        if (known && strcmp(word, type_name(keyword.type)) == 0) e.type = keyword.type;
    if (stored_size(e.type) == 0) return fail(parse, SetProblem::badType, word);
    if (address > MEMORY_SIZE - stored_size(e.type)) {
        snprintf(word, sizeof word, "%d", static_cast<int>(address));
        return fail(parse, SetProblem::badAddress, word);
    }
    if (!take_word(&p, word, sizeof word)) return fail(parse, SetProblem::badValue, word);
    e.valueSet = strcmp(word, "not-set") != 0;
    if (e.valueSet && !read_value(word, e.type, &e.value)) return fail(parse, SetProblem::badValue, word);
    p = skip(p);
    if (*p != '\0' && *p != '#') return fail(parse, SetProblem::textAfterValue, p);
    for (int i = 0; i < set->count; ++i) {
        const SetEntry& other = set->entries[i];
        if (other.address == e.address && other.type == e.type && strcmp(other.name, e.name) == 0)
            return fail(parse, SetProblem::entryTwice, "", other.line);
    }
    ++set->count;
    return true;
}

// "end 26 entries" ("end 1 entry"): the writer's last line. Every cut of a file loses it or
// damages it, so a file that has it whole, with the count of the entries above it, is complete.
bool end_line(Parse& parse, const char* p)
{
    char count[8], word[16];
    const char* rest = p + 3;
    int32_t n = -1;
    bool formed = take_word(&rest, count, sizeof count) && all_digits(count, 1, 3) &&
                  scan_decimal(count, &n) == NumberScan::ok && take_word(&rest, word, sizeof word) &&
                  strcmp(word, n == 1 ? "entry" : "entries") == 0 && *skip(rest) == '\0';
    if (!formed) return fail(parse, SetProblem::badEnd, p);
    if (n != parse.set->count) {
        snprintf(count, sizeof count, "%d", static_cast<int>(n));
        return fail(parse, SetProblem::endCount, count, parse.set->count);
    }
    parse.endLine = parse.line;
    return true;
}

bool parse_line(Parse& parse, const char* line)
{
    if (parse.line == 1) {
        const char* rest = after_set_signature(line);
        return (rest != nullptr && *rest == '\0') || fail(parse, SetProblem::notASetFile);
    }
    const char* p = skip(line);
    if (*p == '\0' || *p == '#') return true;
    if (parse.endLine != 0) return fail(parse, SetProblem::afterEnd, "", parse.endLine);
    if (strncmp(p, "end", 3) == 0 && (p[3] == '\0' || blank(p[3]))) return end_line(parse, p);
    return *p == '"' ? entry_line(parse, p) : header_line(parse, p);
}

bool parse_all(Parse& parse, const ByteStream& source)
{
    Input input = {source, 0};
    char line[SET_LINE_SIZE];
    for (;;) {
        ++parse.line;
        switch (read_line(input, line, sizeof line)) {
        case LineRead::end:
            if (parse.line == 1) return fail(parse, SetProblem::notASetFile);
            --parse.line;
            for (int k = 0; k < HEADER_KEYS; ++k)
                if (parse.headerLine[k] == 0) return fail(parse, SetProblem::headerMissing, kHeaderKeys[k]);
            return parse.endLine != 0 || fail(parse, SetProblem::noEnd);
        case LineRead::tooLong: return fail(parse, SetProblem::lineTooLong);
        case LineRead::control: return fail(parse, SetProblem::controlCharacter);
        case LineRead::fileTooLong: return fail(parse, SetProblem::fileTooLong);
        case LineRead::line:
            if (!parse_line(parse, line)) return false;
            break;
        }
    }
}

}  // namespace

bool read_param_set(const ByteStream& source, ParamSet* set, SetReadError* error)
{
    memset(set, 0, sizeof *set);
    *error = SetReadError{};
    Parse parse = {set, error, 0, {}, 0};
    if (parse_all(parse, source)) return true;
    memset(set, 0, sizeof *set);
    return false;
}

bool read_param_set_text(const char* bytes, size_t length, ParamSet* set, SetReadError* error)
{
    TextCursor cursor;
    return read_param_set(text_byte_stream(&cursor, bytes, length), set, error);
}

bool read_param_set_file(const char* path, ParamSet* set, SetReadError* error)
{
    FILE* file = is_folder(path) ? nullptr : open_file(path, "rb");
    if (file == nullptr) {
        memset(set, 0, sizeof *set);
        *error = SetReadError{};
        if (is_folder(path)) error->problem = SetProblem::isFolder;
        return false;
    }
    bool ok = read_param_set(file_byte_stream(file), set, error);
    fclose(file);
    return ok;
}
