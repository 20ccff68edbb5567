// Writing findings: location prefix, quoting of file text, keyword names.
#include "checker/findings.h"

#include <stdarg.h>

void begin_finding(const Report& report, int line, int column)
{
    if (column > 1) fprintf(report.out, "%s:%d:%d: ", report.path, line, column);
    else fprintf(report.out, "%s:%d: ", report.path, line);
}

void put_format(const Report& report, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    vfprintf(report.out, format, args);
    va_end(args);
}

void put_quoted(const Report& report, const char* text)
{
    // A name may hold the line end (an unclosed quote) or a tab; printed raw they would split
    // or garble the finding. Bytes from 0x80 stay as they are: they are the file's own letters.
    fputc('"', report.out);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
        switch (*p) {
        case '"': fputs("\\\"", report.out); break;
        case '\\': fputs("\\\\", report.out); break;
        case '\n': fputs("\\n", report.out); break;
        case '\r': fputs("\\r", report.out); break;
        case '\t': fputs("\\t", report.out); break;
        default:
            if (*p < 0x20 || *p == 0x7F) fprintf(report.out, "\\x%02X", *p);
            else fputc(*p, report.out);
        }
    }
    fputc('"', report.out);
}

void end_finding(const Report& report)
{
    fputc('\n', report.out);
}

void finding(const Report& report, int line, int column, const char* format, ...)
{
    begin_finding(report, line, column);
    va_list args;
    va_start(args, format);
    vfprintf(report.out, format, args);
    va_end(args);
    end_finding(report);
}

const char* type_word(ParamType type)
{
    switch (type) {
    case ParamType::int8: return "int8";
    case ParamType::int16: return "int16";
    case ParamType::int32: return "int32";
    case ParamType::time: return "time";
    case ParamType::swver: return "swver";
    case ParamType::empty: return "empty";
    case ParamType::none: break;
    }
    return "none";
}

const char* mode_word(EditMode mode)
{
    switch (mode) {
    case EditMode::Changeable: return "Changeable";
    case EditMode::Default: return "Default";
    case EditMode::DisplayOnly: break;
    }
    return "DisplayOnly";
}
