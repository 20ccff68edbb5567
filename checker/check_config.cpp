// The checker's run: one load through the tool's loader with a trace that reports each line,
// the lines after the 100th parameter that the loader leaves unread, and the summary.
#include "checker/check_config.h"

#include <errno.h>
#include <string.h>

#include "checker/header_findings.h"
#include "checker/line_findings.h"
#include "checker/table_findings.h"
#include "model/config.h"

namespace {

struct Session {
    Report report;
    int nextLine;    // physical line where the next chunk starts
    int nextColumn;  // past 1 when the previous chunk stopped inside a line
    int chunksRead;  // by the loader, header included
    bool headerSeen;
};

// The loader reads at most 29 or 254 characters at a time; a chunk that does not end in a line
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
    ++session.chunksRead;
    return chunk;
}

void on_header(void* context, const char* line, int length, const HeaderReading& reading)
{
    Session& session = *static_cast<Session*>(context);
    session.headerSeen = true;
    // The settings are final once the header is read: report them before the first definition.
    Chunk chunk = locate(session, line, length);
    report_header(session.report, &chunk, reading);
}

void on_definition(void* context, const char* line, int length, LineVerdict verdict, uint32_t index)
{
    Session& session = *static_cast<Session*>(context);
    Chunk chunk = locate(session, line, length);
    report_definition(session.report, chunk, verdict, ParamTable[index], index);
}

// The loader stops at the 100th parameter; read on from where it stopped, with its own reader.
void report_unread_lines(Session& session)
{
    FILE* file = fopen(session.report.path, "rb");
    if (file == nullptr) return;
    static char line[DEFINITION_LINE_SIZE];
    static ParamEntry scratch;
    int length = 0;
    for (int i = 0; i < session.chunksRead; ++i)
        length = read_config_line(file, line, i == 0 ? HEADER_LINE_SIZE : DEFINITION_LINE_SIZE);
    while (length > 0 && (length = read_config_line(file, line, sizeof line)) > 0) {
        Chunk chunk = locate(session, line, length);
        memset(&scratch, 0, sizeof scratch);
        report_never_read(session.report, chunk, parse_param_line_verdict(line, &scratch), scratch);
    }
    fclose(file);
}

// fopen succeeds on a folder on some systems; only a read tells.
bool readable(const char* path, FILE* out)
{
    errno = 0;
    FILE* file = fopen(path, "rb");
    bool ok = file != nullptr;
    if (ok) {
        getc(file);
        ok = !ferror(file);
        fclose(file);
    }
    if (!ok) {
        int error = errno;
        fprintf(out, "%s: error: cannot read the file%s%s\n", path, error != 0 ? ": " : "",
                error != 0 ? strerror(error) : "");
    }
    return ok;
}

void report_summary(const Report& report, int result)
{
    const CheckCounts& c = report.counts;
    fprintf(report.out,
            "%s: summary: parameters %d, skipped %d, comments %d, blank %d, never read %d, overlaps %d, "
            "duplicate names %d, empty pages %d, warnings %d, notes %d: %s\n",
            report.path, c.parameters, c.skipped, c.comments, c.blank, c.neverRead, c.overlaps, c.duplicates,
            c.emptyPages, c.warnings, c.notes, result == CHECK_OK ? "ok" : "problems found");
}

}  // namespace

int check_config(const char* path, FILE* out)
{
    if (!readable(path, out)) return CHECK_UNREADABLE;

    // As at the tool's start, so that fields the header does not set show their initial values.
    password = 0;
    Setsecurity = 0;
    scanEnabled = 0;
    scanInterval = 1000;

    static Session session;
    memset(&session, 0, sizeof session);
    session.report.path = path;
    session.report.out = out;
    session.nextLine = 1;
    session.nextColumn = 1;

    ConfigTrace trace = {&session, on_header, on_definition};
    if (!load_config_file(path, &trace)) {
        fprintf(out, "%s: error: cannot read the file\n", path);
        return CHECK_UNREADABLE;
    }
    if (!session.headerSeen) report_header(session.report, nullptr, HeaderReading{});
    if (entryCount == PARAM_COUNT) report_unread_lines(session);
    report_table(session.report);

    const CheckCounts& c = session.report.counts;
    int result = c.skipped > 0 || c.neverRead > 0 || c.overlaps > 0 ? CHECK_PROBLEMS : CHECK_OK;
    report_summary(session.report, result);
    return result;
}
