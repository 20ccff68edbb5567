// One definition line: its verdict, the reason for a skip, and notes on surprising readings.
#include "checker/line_findings.h"

#include <string.h>

#include "checker/line_notes.h"
#include "model/value_codec.h"

namespace {

bool accepted(LineVerdict verdict)
{
    return verdict == LineVerdict::accepted || verdict == LineVerdict::acceptedWithDefault;
}

// "Name=" or "Description=" present but not followed by its quote is the usual slip.
void put_missing_text_key(const Report& report, const char* text, const char* key)
{
    put_format(report, "no %s\"", key);
    if (strstr(text, key) != nullptr) put_format(report, " (%s must be followed by a double quote)", key);
}

// The text after the key that decided the verdict, up to the next blank, cut to fit shown.
void value_text(const Chunk& chunk, const LineDetail& detail, char (&shown)[24])
{
    const char* value = chunk.text + (detail.valueAt >= 0 ? detail.valueAt : strlen(chunk.text));
    while (*value == ' ' || *value == '\t') ++value;
    size_t n = 0;
    for (; n + 1 < sizeof shown && value[n] != '\0' && strchr(" \t\r\n", value[n]) == nullptr; ++n) shown[n] = value[n];
    shown[n] = '\0';
}

const char* key_of(const LineDetail& detail)
{
    return detail.key != nullptr ? detail.key : "";
}

// "Address=0x10" and the like: the value as written, up to the next blank, and what is wanted.
void put_not_a_number(const Report& report, const Chunk& chunk, const LineDetail& detail)
{
    char shown[24];
    value_text(chunk, detail, shown);
    put_format(report, "%s", key_of(detail));
    put_quoted(report, shown);
    put_format(report,
               " is not a whole decimal number (digits alone, or between double quotes, ending at a blank, a comma, "
               "a semicolon or the line end)");
}

void put_reason(const Report& report, const Chunk& chunk, LineVerdict verdict, const LineDetail& detail,
                const ParamEntry& record)
{
    switch (verdict) {
    case LineVerdict::noName: put_missing_text_key(report, chunk.text, "Name="); break;
    case LineVerdict::noDescription: put_missing_text_key(report, chunk.text, "Description="); break;
    case LineVerdict::noAddress: put_format(report, "no Address="); break;
    case LineVerdict::addressNotANumber:
    case LineVerdict::defaultNotANumber:
    case LineVerdict::limitNotANumber: put_not_a_number(report, chunk, detail); break;
    case LineVerdict::addressTooLarge: put_format(report, "the Address= number does not fit 32 bits"); break;
    case LineVerdict::noType:
        put_text(report, "no known type (");
        for (int i = 0; i < TYPE_KEYWORD_COUNT; ++i) {
            if (i > 0) put_text(report, i + 1 < TYPE_KEYWORD_COUNT ? ", " : " or ");
            put_text(report, typeKeywords[i].text);
        }
        put_text(report, ")");
        break;
    case LineVerdict::outsideMemory:
        put_format(report, "stored bytes outside 0-%d (Address=%d)", MEMORY_SIZE - 1, static_cast<int>(record.address));
        break;
    case LineVerdict::defaultTooLarge: put_format(report, "the Default= number does not fit 32 bits"); break;
    case LineVerdict::limitOutsideType: {
        char shown[24];
        value_text(chunk, detail, shown);  // digits, a sign and quotes only: it was read as a number
        int32_t low = 0, high = 0;
        type_range(detail.type, &low, &high);
        put_format(report, "%s%s does not fit %s (%ld to %ld)", key_of(detail), shown, type_name(detail.type),
                   static_cast<long>(low), static_cast<long>(high));
        break;
    }
    case LineVerdict::minAboveMax:
        put_format(report, "Min=%ld is above Max=%ld", static_cast<long>(record.minValue),
                   static_cast<long>(record.maxValue));
        break;
    case LineVerdict::comment:
    case LineVerdict::accepted:
    case LineVerdict::acceptedWithDefault: break;
    }
}

void put_range(const Report& report, const char* one, const char* many, int from, int to)
{
    if (from == to) put_format(report, "%s %d", one, from);
    else put_format(report, "%s %d-%d", many, from, to);
}

void put_parameter(const Report& report, const ParamEntry& record, uint32_t index)
{
    put_format(report, "parameter %u ", static_cast<unsigned>(index + 1));
    put_quoted(report, record.name);
    put_format(report, ": page %u row %u, %s", static_cast<unsigned>(index / PAGE_ROWS + 1),
               static_cast<unsigned>(index % PAGE_ROWS + 1), type_name(record.type));
    if (record.type == ParamType::empty) put_format(report, " (row hidden)");
    put_format(report, ", %s, default %d, ", mode_word(record.mode), static_cast<int>(record.defaultValue));
    int32_t low = 0, high = 0;
    if (record.limited && type_range(record.type, &low, &high))
        put_format(report, "values %ld to %ld (Min=, Max=), ", static_cast<long>(record.minValue),
                   static_cast<long>(record.maxValue));
    int size = stored_size(record.type);
    if (size == 0) {
        put_format(report, "no stored bytes");
        return;
    }
    int first = record.address;
    int last = first + size - 1;
    put_range(report, "byte", "bytes", first, last);
    put_format(report, ", ");
    put_range(report, "block", "blocks", first / 4, last / 4);
}

// Only whole lines count: the blank rest of an overlong line is no blank line.
void count_blank(Report& report, const Chunk& chunk)
{
    if (chunk.column == 1) ++report.counts.blank;
}

}  // namespace

bool is_blank_chunk(const Chunk& chunk)
{
    return blank_line(chunk.text, chunk.length);
}

void report_definition(Report& report, const Chunk& chunk, LineVerdict verdict, const LineDetail& detail,
                       const ParamEntry& record, uint32_t index)
{
    if (is_blank_chunk(chunk)) {
        count_blank(report, chunk);
        return;
    }
    begin_finding(report, chunk.line, chunk.column);
    if (accepted(verdict)) {
        ++report.counts.parameters;
        report.lineOfRecord[index] = chunk.line;
        put_parameter(report, record, index);
    } else if (verdict == LineVerdict::comment) {
        ++report.counts.comments;
        put_format(report, "comment");
    } else {
        ++report.counts.skipped;
        put_format(report, "skipped: ");
        put_reason(report, chunk, verdict, detail, record);
    }
    end_finding(report);

    report_reading_notes(report, chunk);
    if (verdict != LineVerdict::comment) report_keyword_case_notes(report, chunk);
    if (accepted(verdict)) report_parameter_notes(report, chunk, record, detail);
}

void report_never_read(Report& report, const Chunk& chunk, LineVerdict verdict, const LineDetail& detail,
                       const ParamEntry& record)
{
    if (is_blank_chunk(chunk)) {
        count_blank(report, chunk);
        return;
    }
    begin_finding(report, chunk.line, chunk.column);
    if (verdict == LineVerdict::comment) {
        ++report.counts.comments;
        put_format(report, "comment");
    } else {
        ++report.counts.neverRead;
        put_format(report, "never read: the tool stops after %d parameters; ", PARAM_COUNT);
        if (accepted(verdict)) {
            put_format(report, "this would be ");
            put_quoted(report, record.name);
        } else {
            put_format(report, "this would be skipped anyway: ");
            put_reason(report, chunk, verdict, detail, record);
        }
    }
    end_finding(report);
}
