// Fuzz target: bytes as a production log, read as a run reads it. A row read is one the writer
// could have written: no NUL, no carriage return outside quotes but before a line feed, fields in
// their buffers (cut only at full length), the number "" or NAME=VALUE with VALUE a 32-bit number
// as "%lld" prints it, and written again in the file's format it reads back the same. A cut row is
// the input's last.
#include <stdint.h>
#include <string.h>

#include <string>

#include "fuzz/fuzz_check.h"
#include "tagtool/log_csv.h"

static LogRow row, again;                                              // too large for the stack
static char written[LOG_FILE_COLUMNS * (2 * LOG_FIELD_SIZE + 1) + 3];  // room for a quote in every byte

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    TextCursor text, back;
    ByteStream log = text_byte_stream(&text, reinterpret_cast<const char*>(data), size);
    LogFormat format = {};
    long length = 0;
    if (read_log_header(log, &format, &length) != LogRead::row) return 0;
    FUZZ_CHECK(format.count >= LOG_READER && format.count <= LOG_FILE_COLUMNS, "%d columns", format.count);
    int line = 1, last = 1, one = 0;
    for (const unsigned char* at = text.at;; at = text.at, last = row.line) {
        LogRead r = read_log_row(log, format, &line, &row);
        if (r == LogRead::end) return 0;
        FUZZ_CHECK(r != LogRead::cut || text.at == text.end, "a cut row before the end");
        if (r == LogRead::cut) return 0;
        FUZZ_CHECK(row.line > last && row.line <= line + 1, "row on line %d after %d", row.line, last);
        if (r == LogRead::malformed) continue;
        while (*at == '\n' || *at == '\r') ++at;  // the blank lines passed over
        for (bool quoted = false; at < text.at; ++at) {
            quoted ^= *at == '"';
            FUZZ_CHECK(*at && (*at != '\r' || quoted || (at + 1 < text.at && at[1] == '\n')), "row %d", row.line);
        }
        const char* number = strrchr(row.field[LOG_NUMBER], '=');
        long long value = number ? strtoll(number + 1, nullptr, 10) : 0;
        FUZZ_CHECK(!row.field[LOG_NUMBER][0] ||
                       (number && value == static_cast<int32_t>(value) && std::to_string(value) == number + 1),
                   "number \"%s\"", row.field[LOG_NUMBER]);
        const char* fields[LOG_COLUMNS];
        for (int i = 0; i < LOG_COLUMNS; ++i) {
            size_t n = strnlen(row.field[i], LOG_FIELD_SIZE);
            FUZZ_CHECK(n < LOG_FIELD_SIZE && (!row.cut[i] || n == LOG_FIELD_SIZE - 1), "field %d of %zu bytes", i, n);
            fields[i] = row.field[i];
        }
        FUZZ_CHECK(join_log_row(format, fields, written, sizeof written), "row %d written again", row.line);
        r = read_log_row(text_byte_stream(&back, written, strlen(written)), format, &one, &again);
        for (int i = 0; i < LOG_COLUMNS; ++i)
            FUZZ_CHECK(r == LogRead::row && !strcmp(again.field[i], row.field[i]), "field %d read back", i);
    }
}
