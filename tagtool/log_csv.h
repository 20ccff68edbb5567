// The production log as CSV (RFC 4180): a header row naming the columns, then one row a device
// that carries the set, the tool and the station itself, so that logs of several runs and
// stations can be joined. Fields are written quoted when they hold a comma, a quote or a line
// end, and read back whatever way a spreadsheet saved them.
#pragma once
#include <stddef.h>

#include "model/byte_stream.h"
#include "model/param_table.h"

enum LogColumn {
    LOG_TIME,
    LOG_STATION,
    LOG_COMMAND,
    LOG_SET_FILE,
    LOG_SET_CRC,
    LOG_TOOL,
    LOG_UID,
    LOG_RESULT,
    LOG_NUMBER,
    LOG_PARAMETERS,
    LOG_COLUMNS,
};

enum {
    LOG_ROW_SIZE = 8192,                    // the longest row written: every field at its longest
    LOG_FIELD_SIZE = PARAM_TEXT_SIZE + 24,  // what a reader keeps of a field: "NAME=-2147483648" whole
    LOG_PARAMETERS_SIZE = 1024,             // the list of parameters, before quoting
};

// The header row with its line end.
extern const char kLogHeader[];

// Appends text as the next field of row (a comma before every field but the first). False when
// the row has no room left for it; the row then stays as it was.
bool append_csv_field(char* row, size_t size, const char* text, bool first);

// One row as read: each field up to LOG_FIELD_SIZE - 1 bytes, cut marking a field that was longer.
struct LogRow {
    char field[LOG_COLUMNS][LOG_FIELD_SIZE];
    bool cut[LOG_COLUMNS];
    int line;  // the line the row starts on, counted from 1
};

enum class LogRead { row, end, malformed };

// Reads the next row, passing over blank lines; *line counts the lines read so far. malformed for
// a row the writer cannot have written: a stray quote, a NUL, a carriage return outside quotes
// but before the line feed, another number of fields than the header's, or a number that is not
// NAME=VALUE as a production run writes it; the reading then goes on at the next line.
LogRead read_log_row(const ByteStream& source, int* line, LogRow* row);

// Whether a row is the header row.
bool is_log_header(const LogRow& row);
