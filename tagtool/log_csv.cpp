// Writing and reading rows of the production log.
#include "tagtool/log_csv.h"

#include <stdio.h>
#include <string.h>

#include "model/text_number.h"

const char kLogHeader[] = "time_utc,station,command,set_file,set_crc,tool_version,uid,result,number,parameters\n";

namespace {

const char* const kColumns[LOG_COLUMNS] = {"time_utc",     "station", "command", "set_file", "set_crc",
                                           "tool_version", "uid",     "result",  "number",   "parameters"};

// A field's byte, kept while it fits, the field marked cut when it does not.
void keep(LogRow* row, int column, size_t* length, int c)
{
    if (column >= LOG_COLUMNS) return;
    if (*length + 1 >= LOG_FIELD_SIZE) {
        row->cut[column] = true;
        return;
    }
    row->field[column][(*length)++] = static_cast<char>(c);
    row->field[column][*length] = '\0';
}

int next_byte(const ByteStream& source)
{
    int c = source.next(source.context);
    return c < 0 || c > 255 ? BYTE_STREAM_END : c;
}

// Reads past the rest of a malformed row's line.
LogRead skip_line(const ByteStream& source, int* line, int c)
{
    while (c != '\n' && c != BYTE_STREAM_END) c = next_byte(source);
    if (c == '\n') ++*line;
    return LogRead::malformed;
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
    if (row.cut[LOG_NUMBER] || equals == nullptr || scan_whole_decimal(equals + 1, &value) != NumberScan::ok)
        return false;
    snprintf(again, sizeof again, "%ld", static_cast<long>(value));
    return strcmp(again, equals + 1) == 0;
}

}  // namespace

bool append_csv_field(char* row, size_t size, const char* text, bool first)
{
    size_t used = strnlen(row, size);
    bool quoted = strpbrk(text, ",\"\r\n") != nullptr;
    size_t need = (first ? 0 : 1) + strlen(text) + (quoted ? 2 : 0);
    for (const char* p = text; quoted && *p != '\0'; ++p) need += *p == '"';
    if (used + need + 1 > size) return false;
    char* out = row + used;
    if (!first) *out++ = ',';
    if (quoted) *out++ = '"';
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '"') *out++ = '"';  // a quote inside a quoted field is doubled
        *out++ = *p;
    }
    if (quoted) *out++ = '"';
    *out = '\0';
    return true;
}

LogRead read_log_row(const ByteStream& source, int* line, LogRow* row)
{
    memset(row, 0, sizeof *row);
    int c = next_byte(source);
    while (c == '\n' || c == '\r') {  // blank lines, which a spreadsheet may leave at the end
        if (c == '\n') ++*line;
        c = next_byte(source);
    }
    if (c == BYTE_STREAM_END) return LogRead::end;
    row->line = *line + 1;
    int column = 0;
    size_t length = 0;
    for (;;) {
        if (c == '"' && length == 0) {
            // A quoted field: line ends and commas are its own, a doubled quote is one quote.
            for (;;) {
                c = next_byte(source);
                if (c == BYTE_STREAM_END) return LogRead::malformed;
                if (c == '\n') ++*line;
                if (c == '"' && (c = next_byte(source)) != '"') break;
                if (c == '\0') return skip_line(source, line, c);
                keep(row, column, &length, c);
            }
            if (c != ',' && c != '\n' && c != '\r' && c != BYTE_STREAM_END) return skip_line(source, line, c);
        }
        // The writer quotes a field with a quote or a carriage return in it and writes no NUL.
        for (; c != ',' && c != '\n' && c != BYTE_STREAM_END; c = next_byte(source)) {
            if (c == '\r' && (c = next_byte(source)) != '\n') return skip_line(source, line, c);
            if (c == '\n') break;
            if (c == '"' || c == '\0') return skip_line(source, line, c);
            keep(row, column, &length, c);
        }
        ++column;
        length = 0;
        if (c != ',') break;
        c = next_byte(source);
    }
    if (c == '\n') ++*line;
    if (column != LOG_COLUMNS) return LogRead::malformed;
    return is_log_header(*row) || number_as_written(*row) ? LogRead::row : LogRead::malformed;
}

bool is_log_header(const LogRow& row)
{
    for (int i = 0; i < LOG_COLUMNS; ++i)
        if (strcmp(row.field[i], kColumns[i]) != 0) return false;
    return true;
}
