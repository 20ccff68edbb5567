// Fuzz target: arbitrary bytes as a production log, read row by row as `continue` reads it. A row
// read is one the writer could have written: no NUL, and no carriage return outside quotes but
// before a line feed; fields inside their buffers, cut only at full length; the number empty or
// NAME=VALUE as "%lld" prints a 32-bit VALUE; written again by append_csv_field, the same row.
#include <stdint.h>
#include <string.h>

#include "fuzz/fuzz_check.h"
#include "tagtool/log_csv.h"

namespace {

LogRow row, again;                                         // static: too large for the stack
char written[LOG_COLUMNS * (2 * LOG_FIELD_SIZE + 1) + 1];  // room for a quote in every byte

void check_row(const unsigned char* at, const unsigned char* end)
{
    while (at < end && (*at == '\n' || *at == '\r')) ++at;  // the blank lines passed over
    for (bool quoted = false; at < end; ++at) {
        quoted ^= *at == '"';
        FUZZ_CHECK(*at != '\0' && (*at != '\r' || quoted || (at + 1 < end && at[1] == '\n')), "row %d", row.line);
    }
    const char* number = strrchr(row.field[LOG_NUMBER], '=');
    long long value = number != nullptr ? strtoll(number + 1, nullptr, 10) : 0;
    char printed[24];
    snprintf(printed, sizeof printed, "%lld", value);
    FUZZ_CHECK(!row.field[LOG_NUMBER][0] || is_log_header(row) ||
                   (number && value >= INT32_MIN && value <= INT32_MAX && !strcmp(printed, number + 1)),
               "number \"%s\"", row.field[LOG_NUMBER]);
    written[0] = '\0';
    for (int i = 0; i < LOG_COLUMNS; ++i) {
        size_t n = strnlen(row.field[i], LOG_FIELD_SIZE);
        FUZZ_CHECK(n < LOG_FIELD_SIZE && (!row.cut[i] || n == LOG_FIELD_SIZE - 1), "field %d of %zu bytes", i, n);
        FUZZ_CHECK(append_csv_field(written, sizeof written - 1, row.field[i], i == 0), "field %d", i);
    }
    strcat(written, "\n");
    TextCursor text;
    int line = 0;
    LogRead r = read_log_row(text_byte_stream(&text, written, strlen(written)), &line, &again);
    FUZZ_CHECK(r == LogRead::row, "row %d written again is malformed", row.line);
    for (int i = 0; i < LOG_COLUMNS; ++i) FUZZ_CHECK(!strcmp(again.field[i], row.field[i]), "field %d read back", i);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    TextCursor text;
    ByteStream log = text_byte_stream(&text, reinterpret_cast<const char*>(data), size);
    int line = 0, last = 0;
    const unsigned char* at = text.at;
    for (LogRead r; (r = read_log_row(log, &line, &row)) != LogRead::end; last = row.line, at = text.at) {
        FUZZ_CHECK(row.line > last && row.line <= line + 1, "row on line %d after %d", row.line, last);
        if (r == LogRead::row) check_row(at, text.at);
    }
    return 0;
}
