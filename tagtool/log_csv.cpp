// Writing and reading rows of the production log.
#include "tagtool/log_csv.h"

#include <stdio.h>
#include <string.h>

#include "model/text_number.h"

const char* const kLogColumnNames[LOG_COLUMNS] = {"time_utc", "station",      "command", "set_file",
                                                  "set_crc",  "tool_version", "uid",     "result",
                                                  "number",   "parameters",   "reader"};

namespace {

enum { HEADER_NAME_SIZE = 24 };
const char kStrayQuote[] =
    "a quote in a field that is not quoted";  // longer than any of our names: a longer one is not ours

int next_byte(const ByteStream& source)
{
    int c = source.next(source.context);
    return c < 0 || c > 255 ? BYTE_STREAM_END : c;
}

// Where the parser puts the bytes of the file's column: a buffer of size bytes, or null to drop them.
struct Slot {
    char* text;
    size_t size;
    bool* cut;
};

struct Fields {
    char separator;  // 0 until the header shows it: the first ',' or ';' outside quotes
    Slot (*slot)(void* context, int column);
    void* context;
    // What the parser found out about the row.
    int columns;
    bool anyText;  // a row of separators alone is as blank as an empty line
    bool crlf;
    int badColumn;
    const char* why;
};

bool is_separator(Fields* f, int c)
{
    if (f->separator == 0 && (c == ',' || c == ';')) f->separator = static_cast<char>(c);
    return c == f->separator && c != 0;
}

// Reads past the rest of a row that cannot be read; a row cut off before its line end is cut.
LogRead bad_row(const ByteStream& source, int* line, Fields* f, int column, int c, const char* why)
{
    while (c != '\n' && c != BYTE_STREAM_END) c = next_byte(source);
    if (c == BYTE_STREAM_END) return LogRead::cut;
    ++*line;
    f->badColumn = column;
    f->why = why;
    return LogRead::malformed;
}

void keep(const Slot& slot, size_t* length, int c)
{
    if (slot.text == nullptr) return;
    if (*length + 1 >= slot.size) {
        if (slot.cut != nullptr) *slot.cut = true;
        return;
    }
    slot.text[(*length)++] = static_cast<char>(c);
    slot.text[*length] = '\0';
}

// One row split into fields (RFC 4180): quoted fields hold separators, line ends and doubled
// quotes. c is its first byte; *startLine the line it starts on.
LogRead parse_fields(const ByteStream& source, Fields* f, int* line, int* startLine)
{
    f->columns = 0;
    f->anyText = false;
    f->crlf = false;
    int c = next_byte(source);
    while (c == '\n' || c == '\r') {  // blank lines, which a spreadsheet may leave at the end
        if (c == '\n') ++*line;
        c = next_byte(source);
    }
    if (c == BYTE_STREAM_END) return LogRead::end;
    *startLine = *line + 1;
    for (int column = 0;; ++column) {
        Slot slot = column < LOG_FILE_COLUMNS ? f->slot(f->context, column) : Slot{nullptr, 0, nullptr};
        if (slot.text != nullptr) slot.text[0] = '\0';
        size_t length = 0;
        if (c == '"') {
            f->anyText = true;  // "" is a field, not a blank
            for (;;) {
                c = next_byte(source);
                if (c == BYTE_STREAM_END) return LogRead::cut;
                if (c == '\n') ++*line;
                if (c == '"' && (c = next_byte(source)) != '"') break;
                if (c == '\0') return bad_row(source, line, f, column, c, "a NUL byte");
                keep(slot, &length, c);
            }
            if (c != '\n' && c != '\r' && c != BYTE_STREAM_END && !is_separator(f, c))
                return bad_row(source, line, f, column, c, "text after the closing quote");
        }
        for (; c != '\n' && c != BYTE_STREAM_END && !is_separator(f, c); c = next_byte(source)) {
            if (c == '\r') {
                if ((c = next_byte(source)) == '\n') {
                    f->crlf = true;
                    break;
                }
                return bad_row(source, line, f, column, c, "a carriage return that does not end the line");
            }
            if (c == '"') return bad_row(source, line, f, column, c, kStrayQuote);
            if (c == '\0') return bad_row(source, line, f, column, c, "a NUL byte");
            f->anyText = true;
            keep(slot, &length, c);
        }
        if (c != '\n' && c != BYTE_STREAM_END) {  // a separator: another field follows
            c = next_byte(source);
            continue;
        }
        f->columns = column + 1;
        if (c == BYTE_STREAM_END) return LogRead::cut;
        ++*line;
        return LogRead::row;
    }
}

// The bytes of a stream counted, with one byte put back in front.
struct Counted {
    const ByteStream* inner;
    long count;
    int back;  // -2 for none
};

int next_counted(void* context)
{
    Counted& c = *static_cast<Counted*>(context);
    int b = c.back;
    c.back = -2;
    if (b == -2) b = next_byte(*c.inner);
    if (b != BYTE_STREAM_END) ++c.count;
    return b;
}

char headerNames[LOG_FILE_COLUMNS][HEADER_NAME_SIZE];
bool headerCut[LOG_FILE_COLUMNS];

Slot header_slot(void*, int column)
{
    headerCut[column] = false;
    return Slot{headerNames[column], HEADER_NAME_SIZE, &headerCut[column]};
}

struct RowTarget {
    LogRow* row;
    const LogFormat* format;
};

Slot row_slot(void* context, int column)
{
    const RowTarget& t = *static_cast<RowTarget*>(context);
    int ours = column < t.format->count ? t.format->column[column] : -1;
    if (ours < 0) return Slot{nullptr, 0, nullptr};
    return Slot{t.row->field[ours], LOG_FIELD_SIZE, &t.row->cut[ours]};
}

bool all_hex(const char* text, size_t least, size_t most)
{
    size_t n = strlen(text);
    if (n < least || n > most) return false;
    for (size_t i = 0; i < n; ++i)
        if (hex_digit_value(text[i]) < 0) return false;
    return true;
}

bool one_of(const char* text, const char* const* words, int count)
{
    for (int i = 0; i < count; ++i)
        if (strcmp(text, words[i]) == 0) return true;
    return false;
}

// The number as a production run writes it: none, or NAME=VALUE with VALUE as "%ld" prints a
// 32-bit number (a name may hold an equals sign itself).
bool number_as_written(const LogRow& row)
{
    const char* field = row.field[LOG_NUMBER];
    const char* equals = strrchr(field, '=');
    int32_t value = 0;
    char again[16] = "";
    if (field[0] == '\0') return true;
    // A name is never written with blanks around it: " Addr=22" is a hand's or a spreadsheet's.
    if (row.cut[LOG_NUMBER] || equals == nullptr || equals == field || is_blank_char(field[0]) ||
        is_blank_char(equals[-1]) || scan_whole_decimal(equals + 1, &value) != NumberScan::ok)
        return false;
    snprintf(again, sizeof again, "%ld", static_cast<long>(value));
    return strcmp(again, equals + 1) == 0;
}

// Which of our columns holds a value no run writes, with why; -1 when none.
int bad_value(const LogRow& row, const char** why)
{
    static const char* const kCommands[] = {"produce", "verify"};
    static const char* const kResults[] = {"ok", "failed", "writing", "same", "different"};
    if (!one_of(row.field[LOG_COMMAND], kCommands, 2)) return *why = "neither produce nor verify", LOG_COMMAND;
    if (!all_hex(row.field[LOG_UID], 16, 16)) return *why = "not a UID of 16 hexadecimal digits", LOG_UID;
    if (!all_hex(row.field[LOG_SET_CRC], 1, 8)) return *why = "not a set CRC of 1 to 8 hexadecimal digits", LOG_SET_CRC;
    if (!one_of(row.field[LOG_RESULT], kResults, 5))
        return *why = "not ok, failed, writing, same or different", LOG_RESULT;
    if (!number_as_written(row)) return *why = "not NAME=VALUE with a whole number, as a run writes it", LOG_NUMBER;
    return -1;
}

}  // namespace

LogFormat new_log_format(char separator)
{
    LogFormat f = {separator == ';' ? ';' : ',', false, LOG_COLUMNS, {}};
    for (int i = 0; i < LOG_COLUMNS; ++i) f.column[i] = static_cast<int8_t>(i);
    return f;
}

bool append_csv_field(char* row, size_t size, const char* text, bool first, char separator)
{
    size_t used = strnlen(row, size);
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    bool quoted = strpbrk(text, special) != nullptr;
    size_t need = (first ? 0 : 1) + strlen(text) + (quoted ? 2 : 0);
    for (const char* p = text; quoted && *p != '\0'; ++p) need += *p == '"';
    if (used + need + 1 > size) return false;
    char* out = row + used;
    if (!first) *out++ = separator;
    if (quoted) *out++ = '"';
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '"') *out++ = '"';  // a quote inside a quoted field is doubled
        *out++ = *p;
    }
    if (quoted) *out++ = '"';
    *out = '\0';
    return true;
}

bool join_log_row(const LogFormat& format, const char* const fields[LOG_COLUMNS], char* out, size_t size)
{
    if (size < 3) return false;
    out[0] = '\0';
    for (int i = 0; i < format.count; ++i) {
        int ours = format.column[i];
        if (!append_csv_field(out, size - 2, ours >= 0 ? fields[ours] : "", i == 0, format.separator)) return false;
    }
    strcat(out, format.crlf ? "\r\n" : "\n");
    return true;
}

bool format_log_header(const LogFormat& format, char* out, size_t size)
{
    const char* names[LOG_COLUMNS];
    for (int i = 0; i < LOG_COLUMNS; ++i) names[i] = kLogColumnNames[i];
    return join_log_row(format, names, out, size);
}

LogRead read_log_header(const ByteStream& source, LogFormat* format, long* length)
{
    Counted counted = {&source, 0, -2};
    ByteStream in = {&counted, next_counted};
    int first = next_counted(&counted);
    if (first == 0xEF) {  // a byte order mark, as a spreadsheet saves UTF-8
        if (next_counted(&counted) != 0xBB || next_counted(&counted) != 0xBF) return LogRead::malformed;
    } else {
        counted.back = first;
        counted.count = 0;
    }
    Fields f = {0, header_slot, nullptr, 0, false, false, -1, nullptr};
    int line = 0, start = 0;
    LogRead r = parse_fields(in, &f, &line, &start);
    *length = counted.count;
    if (r == LogRead::end) return first == BYTE_STREAM_END ? LogRead::end : LogRead::malformed;
    if (r == LogRead::malformed || start != 1 || f.columns > LOG_FILE_COLUMNS) return LogRead::malformed;
    *format = LogFormat{f.separator == 0 ? ',' : f.separator, f.crlf, f.columns, {}};
    int seen[LOG_COLUMNS] = {};
    for (int i = 0; i < f.columns; ++i) {
        format->column[i] = -1;
        for (int k = 0; k < LOG_COLUMNS && !headerCut[i]; ++k)
            if (strcmp(headerNames[i], kLogColumnNames[k]) == 0) format->column[i] = static_cast<int8_t>(k), ++seen[k];
    }
    for (int k = 0; k < LOG_COLUMNS; ++k)
        if (seen[k] > 1 || (seen[k] == 0 && k != LOG_READER)) return LogRead::malformed;
    // A header whole but for its line end is the header of a log that has no rows yet.
    return r == LogRead::cut ? LogRead::cut : LogRead::row;
}

LogRead read_log_row(const ByteStream& source, const LogFormat& format, int* line, LogRow* row)
{
    for (;;) {
        memset(row, 0, sizeof *row);
        row->badColumn = -1;
        RowTarget context = {row, &format};
        Fields f = {format.separator, row_slot, &context, 0, false, false, -1, nullptr};
        LogRead r = parse_fields(source, &f, line, &row->line);
        if (r == LogRead::malformed) {
            row->badColumn = f.badColumn;
            row->why = f.why;
        }
        if (r != LogRead::row) return r;
        if (!f.anyText) continue;
        if (f.columns != format.count) {
            bool fewer = f.columns < format.count;
            row->badColumn = fewer ? f.columns : format.count;
            row->why = fewer ? "missing: the row has fewer fields than the header" : "one field more than the header";
            return LogRead::malformed;
        }
        const char* why = nullptr;
        int ours = bad_value(*row, &why);
        if (ours < 0) return LogRead::row;
        for (int i = 0; i < format.count; ++i)
            if (format.column[i] == ours) row->badColumn = i;
        row->why = why;
        return LogRead::malformed;
    }
}

const char* log_column_name(const LogFormat& format, int fileColumn)
{
    int ours = fileColumn >= 0 && fileColumn < format.count ? format.column[fileColumn] : -1;
    return ours >= 0 ? kLogColumnNames[ours] : "";
}
