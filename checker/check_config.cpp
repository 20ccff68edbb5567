// The checker's run: one pass through the tool's loader over the input, with a trace that
// reports each line, the lines after the 100th parameter that the tool leaves unread, and the
// summary.
#include "checker/check_config.h"

#include <errno.h>
#include <limits.h>
#include <string.h>

#include "checker/header_findings.h"
#include "checker/line_findings.h"
#include "checker/table_findings.h"
#include "model/config.h"
#include "model/config_load.h"
#include "platform/files.h"

namespace {

// Every line and column number stays below the number of bytes read, plus one.
static_assert(CHECK_INPUT_LIMIT < INT_MAX - 1, "line and column numbers must fit an int");

// The bytes the checker reads: a file opened once, or text in memory; bounded either way.
struct Input {
    FILE* file;  // null for text
    const unsigned char* at;
    const unsigned char* end;
    size_t consumed;
    bool ended;
    bool failed;   // a read error, not the end of the file
    int error;     // errno of that error, 0 when the C library gave none
    bool tooLong;  // more than CHECK_INPUT_LIMIT bytes
};

int read_byte(Input& input)
{
    if (input.file == nullptr) return input.at < input.end ? *input.at++ : EOF;
    errno = 0;
    int c = getc(input.file);
    if (c == EOF && ferror(input.file)) {
        input.failed = true;
        input.error = errno;
    }
    return c;
}

int next_input_byte(void* context)
{
    Input& input = *static_cast<Input*>(context);
    if (input.ended) return BYTE_STREAM_END;
    int c = read_byte(input);
    input.ended = c == EOF || input.consumed == CHECK_INPUT_LIMIT;
    input.tooLong = c != EOF && input.ended;
    if (input.ended) return BYTE_STREAM_END;
    ++input.consumed;
    return c;
}

struct Session {
    Report report;
    int nextLine;    // physical line where the next chunk starts
    int nextColumn;  // past 1 when the previous chunk stopped inside a line
    bool headerSeen;
};

// The loader reads at most 254 characters at a time; a chunk that does not end in a line
// feed leaves the rest of the same physical line for the next chunk.
Chunk locate(Session& session, const char* text, int length)
{
    Chunk chunk = {text, length, session.nextLine, session.nextColumn};
    if (length > 0 && text[length - 1] == '\n') {
        ++session.nextLine;
        session.nextColumn = 1;
    } else {
        session.nextColumn += length;
    }
    return chunk;
}

void on_header(void* context, const char* line, int length, const HeaderReading& reading)
{
    Session& session = *static_cast<Session*>(context);
    session.headerSeen = true;
    // The settings are final once the header is read: report them before the first definition.
    Chunk chunk = locate(session, line, length);
    if (reading.cut) {  // the rest of the first line was passed over, never read as a definition
        session.nextLine = 2;
        session.nextColumn = 1;
    }
    report_header(session.report, &chunk, reading);
}

void on_definition(void* context, const char* line, int length, LineVerdict verdict, const LineDetail& detail,
                   uint32_t index)
{
    Session& session = *static_cast<Session*>(context);
    Chunk chunk = locate(session, line, length);
    report_definition(session.report, chunk, verdict, detail, ParamTable[index], index);
}

// Parsed here only to say what the line would have been; the table stays as the tool left it.
void on_unread(void* context, const char* line, int length)
{
    Session& session = *static_cast<Session*>(context);
    static ParamEntry scratch;
    memset(&scratch, 0, sizeof scratch);
    Chunk chunk = locate(session, line, length);
    LineDetail detail;
    LineVerdict verdict = parse_param_line_verdict(line, &scratch, &detail);
    report_never_read(session.report, chunk, verdict, detail, scratch);
}

void report_unreadable(const Report& report, int error)
{
    put_text(report, report.path);
    put_text(report, ": error: cannot read the file");
    if (error != 0) {
        put_text(report, ": ");
        put_text(report, strerror(error));
    }
    put_text(report, "\n");
}

void report_summary(const Report& report, int result)
{
    const CheckCounts& c = report.counts;
    put_text(report, report.path);
    put_format(report,
               ": summary: parameters %d, skipped %d, comments %d, blank %d, never read %d, overlaps %d, "
               "duplicate names %d, empty pages %d, warnings %d, notes %d: %s\n",
               c.parameters, c.skipped, c.comments, c.blank, c.neverRead, c.overlaps, c.duplicates, c.emptyPages,
               c.warnings, c.notes, result == CHECK_OK ? "ok" : "problems found");
}

int check_input(const char* name, Input& input, const CheckOutput& out)
{
    // As at the tool's start, so that fields the header does not set show their initial values.
    reset_settings();

    static Session session;
    memset(&session, 0, sizeof session);
    session.report.path = name;
    session.report.out = out;
    session.nextLine = 1;
    session.nextColumn = 1;

    ConfigTrace trace = {&session, on_header, on_definition, on_unread};
    load_config_from(ByteStream{&input, next_input_byte}, &trace);
    if (input.failed) {
        report_unreadable(session.report, input.error);
        return CHECK_UNREADABLE;
    }
    if (input.tooLong) {
        put_text(session.report, name);
        put_format(session.report, ": error: longer than %d MiB, far too long for a configuration: stopped reading\n",
                   CHECK_INPUT_LIMIT / (1024 * 1024));
        return CHECK_UNREADABLE;
    }
    if (!session.headerSeen) report_header(session.report, nullptr, HeaderReading{});
    report_table(session.report);
    if (configText != ConfigText::ascii) {
        begin_finding(session.report, 1);
        put_text(session.report, configText == ConfigText::utf8
                                     ? "note: the text is UTF-8: names and descriptions are shown as UTF-8"
                                     : "note: the text is not UTF-8: names and descriptions are shown in the "
                                       "Windows code page (ANSI)");
        ++session.report.counts.notes;
        end_finding(session.report);
    }

    const CheckCounts& c = session.report.counts;
    // Two parameters of one name: a set or --number NAME could mean either.
    int result = c.skipped > 0 || c.neverRead > 0 || c.overlaps > 0 || c.duplicates > 0 ? CHECK_PROBLEMS : CHECK_OK;
    report_summary(session.report, result);
    return result;
}

void write_to_file(void* context, const char* bytes, size_t length)
{
    fwrite(bytes, 1, length, static_cast<FILE*>(context));
}

}  // namespace

CheckOutput file_output(FILE* file)
{
    return CheckOutput{file, write_to_file};
}

int check_config(const char* path, const CheckOutput& out)
{
    // fopen succeeds on a folder on some systems; the first read tells.
    errno = 0;
    FILE* file = open_file(path, "rb");
    if (file == nullptr) {
        Report report = {};
        report.path = path;
        report.out = out;
        report_unreadable(report, errno);
        return CHECK_UNREADABLE;
    }
    Input input = {};
    input.file = file;
    int result = check_input(path, input, out);
    fclose(file);
    return result;
}

int check_config_text(const char* name, const char* bytes, size_t length, const CheckOutput& out)
{
    Input input = {};
    input.at = reinterpret_cast<const unsigned char*>(bytes);
    input.end = bytes == nullptr ? input.at : input.at + length;
    return check_input(name, input, out);
}
