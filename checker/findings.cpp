// Writing findings: location prefix, quoting of file text, keyword names.
#include "checker/findings.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "model/text_quote.h"
#include "model/utf8.h"

namespace {

void put_formatted(const Report& report, const char* format, va_list args)
{
    char piece[FORMATTED_PIECE_SIZE];
    int n = vsnprintf(piece, sizeof piece, format, args);
    if (n > 0) put_bytes(report, piece, n < static_cast<int>(sizeof piece) ? static_cast<size_t>(n) : sizeof piece - 1);
}

}  // namespace

void put_bytes(const Report& report, const char* bytes, size_t length)
{
    report.out.write(report.out.context, bytes, length);
}

void put_text(const Report& report, const char* text)
{
    put_bytes(report, text, strlen(text));
}

void begin_finding(const Report& report, int line, int column)
{
    put_text(report, report.path);
    if (column > 1) put_format(report, ":%d:%d: ", line, column);
    else put_format(report, ":%d: ", line);
}

void put_format(const Report& report, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    put_formatted(report, format, args);
    va_end(args);
}

void put_quoted(const Report& report, const char* text)
{
    // A name may hold the line end (an unclosed quote) or a tab; printed raw they would split
    // or garble the finding. Text in the ANSI code page is no UTF-8: its bytes are shown as \xNN,
    // UTF-8 characters as they are.
    char quoted[QUOTED_TEXT_SIZE];
    quote_text(text, quoted, sizeof quoted);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(quoted);
    char escape[8];
    while (*q != '\0') {
        int n = *q < 0x80 ? 1 : utf8_length(q);
        if (n == 0) {
            snprintf(escape, sizeof escape, "\\x%02X", *q);
            put_text(report, escape);
            ++q;
            continue;
        }
        char piece[8];
        memcpy(piece, q, static_cast<size_t>(n));
        piece[n] = '\0';
        put_text(report, piece);
        q += n;
    }
}

void end_finding(const Report& report)
{
    put_text(report, "\n");
}

void finding(const Report& report, int line, int column, const char* format, ...)
{
    begin_finding(report, line, column);
    va_list args;
    va_start(args, format);
    put_formatted(report, format, args);
    va_end(args);
    end_finding(report);
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
