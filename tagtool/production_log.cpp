// The production log on the disk: locked, its header checked, its rows read on incrementally.
#include "tagtool/production_log.h"

#include <string.h>

#include "model/text_quote.h"
#include "platform/console.h"
#include "sets/param_set.h"
#include "tagtool/log_index.h"

namespace {

enum {
    LOCK_POLL_MS = 50,
    LOCK_QUIET_MS = 1000,  // another station holds the log for a few milliseconds: not worth a word
    DROPPED_SHOWN = 60,    // bytes of a cut row the console shows
};

LogRow row;  // static: too large for a console stack

struct CountedFile {
    FILE* file;
    long count;
};

int next_counted(void* context)
{
    CountedFile& c = *static_cast<CountedFile*>(context);
    int b = getc(c.file);
    if (b == EOF) return BYTE_STREAM_END;
    ++c.count;
    return b;
}

// The cut row off the end of the file, after saying what it held.
bool drop_cut_row(ProductionLog* log, FILE* out, FILE* err)
{
    FILE* f = log->lock.file;
    char bytes[DROPPED_SHOWN + 1] = "", shown[4 * DROPPED_SHOWN + 8];
    size_t n = fseek(f, log->offset, SEEK_SET) == 0 ? fread(bytes, 1, DROPPED_SHOWN, f) : 0;
    bytes[n] = '\0';
    size_t skip = strspn(bytes, "\r\n");
    quote_text(bytes + skip, shown, sizeof shown);
    if (!cut_file(f, log->offset)) {
        fprintf(err, "%s: error: the log's last row was cut off and cannot be cut back: close it elsewhere\n",
                log->path);
        return false;
    }
    fprintf(out, "%s: the last row was cut off (a run ended while writing it) and is dropped: %s%s\n", log->path, shown,
            n == DROPPED_SHOWN ? "..." : "");
    fflush(out);
    return true;
}

int number_column(const LogFormat& format)
{
    for (int i = 0; i < format.count; ++i)
        if (format.column[i] == LOG_NUMBER) return i;
    return 0;
}

// Reads the rows after offset into the index.
bool read_on(ProductionLog* log, FILE* out, FILE* err)
{
    FILE* f = log->lock.file;
    if (fseek(f, log->offset, SEEK_SET) != 0) return false;
    CountedFile counted = {f, 0};
    ByteStream stream = {&counted, next_counted};
    for (;;) {
        int line = log->line;
        LogRead r = read_log_row(stream, log->format, &line, &row);
        if (r == LogRead::end)
            return ferror(f) == 0 || (fprintf(err, "%s: error: cannot read the log\n", log->path), false);
        if (r == LogRead::cut) return drop_cut_row(log, out, err);
        if (r == LogRead::malformed) {
            const char* name = log_column_name(log->format, row.badColumn);
            fprintf(err,
                    "%s:%d: error: field %d%s%s%s: %s: the row cannot be read, so the log cannot decide; stopped "
                    "before the next device (mend the row, or start a new log)\n",
                    log->path, row.line, row.badColumn + 1, name[0] != '\0' ? " (" : "", name,
                    name[0] != '\0' ? ")" : "", row.why);
            return false;
        }
        IndexAdd added = index_add(row);
        if (added == IndexAdd::misspelt) {
            fprintf(err,
                    "%s:%d: error: field %d (number): the number's name is spelt otherwise than in the "
                    "configuration: stopped before the next device (mend the row, or start a new log)\n",
                    log->path, row.line, number_column(log->format) + 1);
            return false;
        }
        if (added == IndexAdd::full) {
            fprintf(err, "%s:%d: error: the log holds more than %d devices: start a new log\n", log->path, row.line,
                    LOG_DEVICES_MAX);
            return false;
        }
        log->offset += counted.count;
        log->line = line;
        counted.count = 0;
    }
}

// The header read: a log of ours, or a new one given its header; false after saying why.
bool read_header(ProductionLog* log, char separator, FILE* out, FILE* err)
{
    FILE* f = log->lock.file;
    rewind(f);
    long length = 0;
    char text[LOG_ROW_SIZE];
    LogRead r = read_log_header(file_byte_stream(f), &log->format, &length);
    switch (r) {
    case LogRead::end:
        log->format = new_log_format(separator);
        if (format_log_header(log->format, text, sizeof text) && append_line_whole(f, text)) break;
        fprintf(err, "%s: error: cannot write the log's header row\n", log->path);
        return false;
    case LogRead::cut:
        if (!append_line_whole(f, log->format.crlf ? "\r\n" : "\n")) {
            fprintf(err, "%s: error: the log's last row lacks its line end, and it cannot be added\n", log->path);
            return false;
        }
        fprintf(out, "%s: the last row was cut off (a run ended while writing it): its line end was added\n",
                log->path);
        break;
    case LogRead::row: break;
    case LogRead::malformed:
        // Rows of another kind and ours in one file would be read wrongly by every later run.
        fprintf(err, "%s was written in another format: start a new log\n", log->path);
        return false;
    }
    // The rows start after the header's line end: its own, or the one just written.
    if (fflush(f) != 0 || fseek(f, 0, SEEK_END) != 0) return false;
    log->offset = r == LogRead::row ? length : ftell(f);
    log->line = 1;
    return true;
}

// Takes the lock, polling: a spreadsheet holding the file shares it with nobody, and a wait in
// the system would not end at Ctrl+C.
bool wait_for_lock(ProductionLog* log, bool interruptible, FILE* out, FILE* err)
{
    int64_t start = console_clock_ms();
    bool said = false;
    FileLockOutcome o = FileLockOutcome::failed;
    while ((o = is_folder(log->path) ? FileLockOutcome::failed : lock_file_exclusive(&log->lock, log->path, false)) !=
           FileLockOutcome::locked) {
        if (o == FileLockOutcome::failed || (interruptible && console_interrupted())) {
            if (o == FileLockOutcome::failed) fprintf(err, "%s: error: cannot open the log for appending\n", log->path);
            return false;
        }
        if (!said && console_clock_ms() - start >= LOCK_QUIET_MS) {
            fprintf(out, "%s is open in another program: close it there; waiting\n", log->path);
            fflush(out);
            said = true;
        }
        console_pause_ms(LOCK_POLL_MS);
    }
    return true;
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

bool lock_production_log(ProductionLog* log, bool interruptible, FILE* out, FILE* err)
{
    if (!wait_for_lock(log, interruptible, out, err)) return false;
    if (read_on(log, out, err)) return true;
    unlock_file(&log->lock);
    return false;
}

bool open_production_log(ProductionLog* log, const char* path, char separator, FILE* out, FILE* err)
{
    *log = ProductionLog{path, new_log_format(separator), 0, 0, FileLock{nullptr}};
    if (!wait_for_lock(log, true, out, err)) return false;
    bool read = read_header(log, separator, out, err) && read_on(log, out, err);
    unlock_file(&log->lock);
    return read;
}

bool append_log_row(ProductionLog* log, const char* text)
{
    return log->lock.file != nullptr && append_line_whole(log->lock.file, text);
}

void unlock_production_log(ProductionLog* log)
{
    unlock_file(&log->lock);
}
