// The production log as CSV (RFC 4180): a header row naming the columns, then one row a device
// that carries the set, the tool and the station itself, so that logs of several runs and
// stations can be joined. Read whatever way a spreadsheet saved it (a byte order mark, `,` or
// `;`, CR LF or LF, every field quoted, columns of its own), and written back in the file's way.
#pragma once
#include <stddef.h>
#include <stdint.h>

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
    LOG_READER,  // not in logs begun by 1.2.0: their rows go on without it
    LOG_COLUMNS,
};

enum {
    LOG_ROW_SIZE = 8192,                    // the longest row written: every field at its longest
    LOG_FIELD_SIZE = PARAM_TEXT_SIZE + 24,  // what a reader keeps of a field: "NAME=-2147483648" whole
    LOG_PARAMETERS_SIZE = 1024,             // the list of parameters, before quoting
    LOG_FILE_COLUMNS = 64,                  // the columns a header may have, ours and a spreadsheet's
};

// The column names of the header row, in the order a new log has them.
extern const char* const kLogColumnNames[LOG_COLUMNS];

// How a log's rows are written, as its header row shows: the separator, the line end, and which
// of our columns each of the file's columns is (-1: a column of someone else's, left empty).
struct LogFormat {
    char separator;  // ',' or ';'
    bool crlf;       // rows end in CR LF
    int count;       // the file's columns
    int8_t column[LOG_FILE_COLUMNS];
};
// A new log's format: our columns in order, LF line ends.
LogFormat new_log_format(char separator);

// The header row of format, with its line end; false when size is too small.
bool format_log_header(const LogFormat& format, char* out, size_t size);

// Appends text as the next field of row (the separator before every field but the first),
// quoted when it holds the separator, a quote or a line end. False when the row has no room left
// for it; the row then stays as it was.
bool append_csv_field(char* row, size_t size, const char* text, bool first, char separator = ',');

// A row of our fields (by LogColumn) in the file's order and separator, with its line end. False
// when size is too small for it.
bool join_log_row(const LogFormat& format, const char* const fields[LOG_COLUMNS], char* out, size_t size);

// One row as read: each field up to LOG_FIELD_SIZE - 1 bytes, cut marking a field that was longer.
// For a row that cannot be read, badColumn is the file's column (from 0) and why says what is wrong.
struct LogRow {
    char field[LOG_COLUMNS][LOG_FIELD_SIZE];
    bool cut[LOG_COLUMNS];
    int line;  // the line the row starts on, counted from 1
    int badColumn;
    const char* why;
};

// row: a row read; end: no more rows; cut: the input ends inside a row (a run stopped while
// writing it); malformed: a row the writer cannot have written (the reading goes on at the next
// line).
enum class LogRead { row, end, cut, malformed };

// Reads the header row: a byte order mark passed over, the separator the first `,` or `;` outside
// quotes, the line end the header's own. row when it names each of our columns once (other
// columns allowed); malformed when it is no header of ours (why says so); cut when the input ends
// inside it before a line end (the start of our header, a log just made); end when empty.
// *length is the header's bytes with its line end.
LogRead read_log_header(const ByteStream& source, LogFormat* format, long* length);

// Reads the next row, passing over blank lines (and rows of separators alone); *line counts the
// lines read so far. malformed for a stray quote, text after a closing quote, a NUL, a carriage
// return outside quotes but before the line feed, another number of fields than the header's, a
// command, UID, set CRC, result or number that a run does not write.
LogRead read_log_row(const ByteStream& source, const LogFormat& format, int* line, LogRow* row);

// The column's name in the header row, for messages about a field.
const char* log_column_name(const LogFormat& format, int fileColumn);
