// Writing and reading rows of the production log.
#include "tagtool/log_csv.h"

#include <string.h>

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

// Reads past the rest of a malformed row's line.
LogRead skip_line(FILE* file, int* line, int c)
{
    while (c != '\n' && c != EOF) c = getc(file);
    if (c == '\n') ++*line;
    return LogRead::malformed;
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

LogRead read_log_row(FILE* file, int* line, LogRow* row)
{
    memset(row, 0, sizeof *row);
    int c = getc(file);
    while (c == '\n' || c == '\r') {  // blank lines, which a spreadsheet may leave at the end
        if (c == '\n') ++*line;
        c = getc(file);
    }
    if (c == EOF) return LogRead::end;
    row->line = *line + 1;
    int column = 0;
    size_t length = 0;
    for (;;) {
        if (c == '"' && length == 0) {
            // A quoted field: line ends and commas are its own, a doubled quote is one quote.
            for (;;) {
                c = getc(file);
                if (c == EOF) return LogRead::malformed;
                if (c == '\n') ++*line;
                if (c == '"' && (c = getc(file)) != '"') break;
                keep(row, column, &length, c);
            }
            if (c != ',' && c != '\n' && c != '\r' && c != EOF) return skip_line(file, line, c);
        }
        while (c != ',' && c != '\n' && c != EOF) {
            if (c == '"') return skip_line(file, line, c);
            if (c != '\r') keep(row, column, &length, c);
            c = getc(file);
        }
        ++column;
        length = 0;
        if (c != ',') break;
        c = getc(file);
    }
    if (c == '\n') ++*line;
    return column == LOG_COLUMNS ? LogRead::row : LogRead::malformed;
}

bool is_log_header(const LogRow& row)
{
    for (int i = 0; i < LOG_COLUMNS; ++i)
        if (strcmp(row.field[i], kColumns[i]) != 0) return false;
    return true;
}
