// The production log on the disk: its header checked, earlier rows searched.
#include "tagtool/production_log.h"

#include <string.h>

#include "model/text_number.h"
#include "sets/param_set.h"
#include "platform/files.h"
#include "tagtool/produce.h"

namespace {

LogRow row;  // static: the search keeps one row at a time, too large for a console stack

// Whether the file's last byte is a line end (or the file is empty).
bool ends_with_line_end(FILE* file)
{
    if (fseek(file, 0, SEEK_END) != 0 || ftell(file) <= 0) return true;
    if (fseek(file, -1, SEEK_END) != 0) return true;
    int last = getc(file);
    fseek(file, 0, SEEK_END);
    return last == '\n';
}

bool is_empty(FILE* file)
{
    return fseek(file, 0, SEEK_END) == 0 && ftell(file) == 0;
}

}  // namespace

bool file_crc32(const char* path, uint32_t* crc)
{
    FILE* file = is_folder(path) ? nullptr : open_file(path, "rb");
    if (file == nullptr) return false;
    uint32_t sum = 0xFFFFFFFFu;
    uint8_t bytes[4096];
    size_t n = 0;
    while ((n = fread(bytes, 1, sizeof bytes, file)) > 0) sum = crc32_add(sum, bytes, n);
    bool read = ferror(file) == 0;
    fclose(file);
    *crc = ~sum;
    return read;
}

FILE* open_production_log(const char* path, FILE* out, FILE* err)
{
    FILE* log = is_folder(path) ? nullptr : open_file(path, "a+b");
    if (log == nullptr) {
        fprintf(err, "%s: error: cannot open the log for appending\n", path);
        return nullptr;
    }
    if (is_empty(log)) {
        if (append_line_whole(log, kLogHeader)) return log;
        fprintf(err, "%s: error: cannot write the log's header row\n", path);
        fclose(log);
        return nullptr;
    }
    int line = 0;
    rewind(log);
    if (read_log_row(file_byte_stream(log), &line, &row) != LogRead::row || row.line != 1 || !is_log_header(row)) {
        // Rows of another kind and ours in one file would be read wrongly by every later run.
        fprintf(err, "%s was written in another format: start a new log\n", path);
        fclose(log);
        return nullptr;
    }
    if (!ends_with_line_end(log)) {
        if (!append_line_whole(log, "\n")) {
            fprintf(err, "%s: error: the log's last row lacks its line end, and it cannot be added\n", path);
            fclose(log);
            return nullptr;
        }
        fprintf(out, "%s: the last row was cut off (a run ended while writing it): its line end was added\n", path);
    }
    return log;
}

bool find_done(FILE* log, uint64_t uid, const char* setCrc, LogRow* found)
{
    char uidText[17];
    snprintf(uidText, sizeof uidText, "%016llX", static_cast<unsigned long long>(uid));
    int line = 0;
    rewind(log);
    for (LogRead r; (r = read_log_row(file_byte_stream(log), &line, found)) != LogRead::end;) {
        if (r == LogRead::row && strcmp(found->field[LOG_COMMAND], run_kind_word(RunKind::produce)) == 0 &&
            strcmp(found->field[LOG_RESULT], "ok") == 0 && strcmp(found->field[LOG_UID], uidText) == 0 &&
            strcmp(found->field[LOG_SET_CRC], setCrc) == 0)
            return true;
    }
    return false;
}

NumberSearch highest_number(FILE* log, const char* command, const char* name, int64_t* highest, int* line)
{
    size_t length = strlen(name);
    bool any = false;
    int read = 0;
    rewind(log);
    for (LogRead r; (r = read_log_row(file_byte_stream(log), &read, &row)) != LogRead::end;) {
        *line = row.line;
        if (r == LogRead::malformed) return NumberSearch::malformed;
        const char* number = row.field[LOG_NUMBER];
        if (strcmp(row.field[LOG_COMMAND], command) != 0 || strncmp(number, name, length) != 0 || number[length] != '=')
            continue;
        int32_t value = 0;
        if (row.cut[LOG_NUMBER] || scan_whole_decimal(number + length + 1, &value) != NumberScan::ok)
            return NumberSearch::malformed;
        if (!any || value > *highest) *highest = value;
        any = true;
    }
    return any ? NumberSearch::found : NumberSearch::none;
}
