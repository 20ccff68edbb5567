// The header line as the tool reads it, and warnings for what it did not read.
#include "checker/header_findings.h"

#include <string.h>

namespace {

void begin_warning(Report& report)
{
    begin_finding(report, 1);
    put_text(report, "warning: ");
    ++report.counts.warnings;
}

void warning(Report& report, const char* text)
{
    begin_warning(report);
    put_text(report, text);
    end_finding(report);
}

}  // namespace

void report_header(Report& report, const Chunk* header, const HeaderReading& reading)
{
    begin_finding(report, 1);
    put_format(report, "header: password %08X, ssec button %s, ", static_cast<unsigned>(password),
               Setsecurity != 0 ? "shown" : "hidden");
    if (scanEnabled != 0) put_format(report, "scanning on every %d ms", static_cast<int>(scanInterval));
    else put_format(report, "scanning off");
    end_finding(report);

    if (header == nullptr) {
        warning(report, "the file is empty: no header line and no parameters");
        return;
    }
    if (reading.byteOrderMark) {
        begin_finding(report, 1);
        put_text(report, "note: a UTF-8 byte order mark before the header: read past");
        ++report.counts.notes;
        end_finding(report);
    }
    if (reading.cut) {
        begin_warning(report);
        put_format(report, "the header is longer than %d characters: the rest of the line is not read",
                   HEADER_LINE_SIZE - 1);
        end_finding(report);
    }
    if (!reading.passwordRead)
        warning(report, "\"Pwd=\" not read (it must start the line, followed by at most 8 hexadecimal digits): "
                        "password 00000000");
    if (!reading.setRead) {
        if (reading.passwordRead)
            warning(report, "\"set=\" not read (it must follow the password, with a decimal number): "
                            "ssec button hidden");
        else warning(report, "\"set=\" not read, since the password was not: ssec button hidden");
    }
    if (reading.scanFound && !reading.scanNumberRead) {
        begin_warning(report);
        put_format(report, "no usable number after \"scan\": period %d ms", SCAN_INTERVAL_INITIAL);
        end_finding(report);
    }
    if (reading.scanRaised) {
        begin_warning(report);
        put_format(report, "scan period below %d ms raised to %d ms", SCAN_INTERVAL_MIN, SCAN_INTERVAL_MIN);
        end_finding(report);
    }
    // A file that starts straight with definitions loses its first one to the header.
    if (reading.definition) {
        warning(report, "the first line is always the header: this definition is not loaded");
        ++report.counts.skipped;  // a definition lost as surely as a skipped one
    }
}
