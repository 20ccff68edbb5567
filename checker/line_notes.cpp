// Notes on definition lines: cut lines, NUL bytes, keywords in texts that no longer count.
#include "checker/line_notes.h"

#include <string.h>

#include "model/config.h"
#include "model/value_codec.h"

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Starts a note on the chunk's line; the caller writes the text and ends the finding.
void begin_note(Report& report, const Chunk& chunk)
{
    begin_finding(report, chunk.line, chunk.column);
    put_format(report, "note: ");
    ++report.counts.notes;
}

void note(Report& report, const Chunk& chunk, const char* text)
{
    begin_note(report, chunk);
    put_text(report, text);
    end_finding(report);
}

// A quoted text as the tool takes it: from after the key's quote to the next quote or the end.
struct QuotedText {
    const char* begin;
    const char* end;
    bool closed;
};

QuotedText quoted_text(const char* line, const char* key)
{
    const char* at = strstr(line, key);
    if (at == nullptr) return {nullptr, nullptr, true};
    const char* begin = at + strlen(key);
    const char* end = strchr(begin, '"');
    if (end != nullptr) return {begin, end, true};
    return {begin, begin + strlen(begin), false};
}

bool inside(const QuotedText& text, const char* at)
{
    return text.begin != nullptr && at >= text.begin && at < text.end;
}

struct KeywordPlace {
    bool outside;  // at least once outside the quoted texts
    bool inName;
    bool inDescription;
};

KeywordPlace keyword_place(const char* line, const char* keyword, const QuotedText& name, const QuotedText& description)
{
    KeywordPlace place = {false, false, false};
    for (const char* at = strstr(line, keyword); at != nullptr; at = strstr(at + 1, keyword)) {
        if (inside(name, at)) place.inName = true;
        else if (inside(description, at)) place.inDescription = true;
        else place.outside = true;
    }
    return place;
}

const char* where(const KeywordPlace& place)
{
    if (place.inName && place.inDescription) return "the name and the description";
    return place.inName ? "the name" : "the description";
}

void report_mode_notes(Report& report, const Chunk& chunk, const ParamEntry& record, const QuotedText& name,
                       const QuotedText& description)
{
    KeywordPlace def = keyword_place(chunk.text, "Default", name, description);
    KeywordPlace changeable = keyword_place(chunk.text, "Changeable", name, description);
    // Keywords count only outside the texts; the tool once took them from anywhere in the line.
    const KeywordPlace* places[] = {&changeable, &def};
    const char* const keywords[] = {"Changeable", "Default"};
    for (int k = 0; k < 2; ++k) {
        const KeywordPlace& place = *places[k];
        if (place.outside || !(place.inName || place.inDescription)) continue;
        begin_note(report, chunk);
        put_format(report, "%s %s \"%s\": no longer taken as the mode", where(place),
                   place.inName && place.inDescription ? "hold" : "holds", keywords[k]);
        end_finding(report);
    }
    if (record.mode == EditMode::Default && changeable.outside) {
        begin_note(report, chunk);
        put_format(report, "\"Changeable\" is overridden by \"%s\": this is a Default row",
                   strstr(chunk.text, "Default=") != nullptr ? "Default=" : "Default");
        end_finding(report);
    }
}

void report_write_notes(Report& report, const Chunk& chunk, const ParamEntry& record)
{
    int32_t low = 0, high = 0;
    bool ranged = type_range(record.type, &low, &high);
    char outside[DEFINITION_LINE_SIZE];
    blank_quoted_texts(chunk.text, outside, sizeof outside);
    if (!ranged && (strstr(outside, "Min=") != nullptr || strstr(outside, "Max=") != nullptr)) {
        begin_note(report, chunk);
        put_format(report, "Min= and Max= mean nothing for a %s row: its value is never written",
                   type_name(record.type));
        end_finding(report);
    }
    if (record.type == ParamType::empty || record.mode == EditMode::DisplayOnly) return;
    if (record.type == ParamType::swver) {
        note(report, chunk, "swver values cannot be written: the row's button has no caption and stays disabled");
        return;
    }
    uint8_t image[MAX_IMAGE_SIZE];
    if (record.mode == EditMode::Default &&
        encode_value(record.type, record.defaultValue, image) == ENCODE_OUT_OF_RANGE) {
        begin_note(report, chunk);
        put_format(report, "default %d does not fit %s: the def. button marks the box and writes nothing",
                   static_cast<int>(record.defaultValue), type_name(record.type));
        end_finding(report);
    } else if (record.mode == EditMode::Default && !value_allowed(record, record.defaultValue)) {
        begin_note(report, chunk);
        put_format(report, "default %d is outside Min=%d and Max=%d: the def. button marks the box and writes nothing",
                   static_cast<int>(record.defaultValue), static_cast<int>(record.minValue),
                   static_cast<int>(record.maxValue));
        end_finding(report);
    }
}

}  // namespace

void report_reading_notes(Report& report, const Chunk& chunk)
{
    int text = static_cast<int>(strlen(chunk.text));
    if (text < chunk.length) {
        begin_note(report, chunk);
        put_format(report, "a NUL byte at character %d ends the line for the tool", chunk.column + text);
        end_finding(report);
    }

    if (chunk.column == 1) return;
    int last = chunk.column + chunk.length - 1;
    if (chunk.text[chunk.length - 1] == '\n') --last;
    begin_note(report, chunk);
    put_format(report, "the line is longer than %d characters: characters %d-%d are read as a separate line",
               DEFINITION_LINE_SIZE - 1, chunk.column, last);
    end_finding(report);
}

namespace {

// Where a text stands in line when letters of either case count alike; null when it does not.
const char* find_any_case(const char* line, const char* text)
{
    size_t n = strlen(text);
    for (const char* at = line; *at != '\0'; ++at) {
        size_t i = 0;
        while (i < n && at[i] != '\0' && lower(at[i]) == lower(text[i])) ++i;
        if (i == n) return at;
    }
    return nullptr;
}

// A keyword written in another case where the exact one is missing: "changeable", "DEFAULT=".
void note_case(Report& report, const Chunk& chunk, const char* outside, const char* keyword)
{
    if (strstr(outside, keyword) != nullptr) return;
    const char* at = find_any_case(outside, keyword);
    if (at == nullptr) return;
    char written[24];
    size_t n = strlen(keyword) < sizeof written - 1 ? strlen(keyword) : sizeof written - 1;
    memcpy(written, at, n);
    written[n] = '\0';
    begin_note(report, chunk);
    put_quoted(report, written);
    put_format(report, " is not the keyword \"%s\": keywords are case-sensitive, so the tool does not read it",
               keyword);
    end_finding(report);
}

}  // namespace

void report_keyword_case_notes(Report& report, const Chunk& chunk)
{
    char outside[DEFINITION_LINE_SIZE];
    blank_quoted_texts(chunk.text, outside, sizeof outside);
    const char* const kKeys[] = {"Name=\"", "Description=\"", "Address=", "Changeable", "Default", "Min=", "Max="};
    for (const char* key : kKeys) note_case(report, chunk, outside, key);
    for (const TypeKeyword& keyword : typeKeywords)
        if (strstr(outside, keyword.text) != nullptr) return;  // the line has its type
    for (const TypeKeyword& keyword : typeKeywords) note_case(report, chunk, outside, keyword.text);
}

void report_parameter_notes(Report& report, const Chunk& chunk, const ParamEntry& record, const LineDetail& detail)
{
    QuotedText name = quoted_text(chunk.text, "Name=\"");
    QuotedText description = quoted_text(chunk.text, "Description=\"");
    report_mode_notes(report, chunk, record, name, description);
    if (!name.closed) note(report, chunk, "the name has no closing double quote: it runs to the end of the line");
    if (!description.closed)
        note(report, chunk, "the description has no closing double quote: it runs to the end of the line");
    if (detail.bareDefault) note(report, chunk, "\"Default=\" without a number: default 0, as a bare \"Default\"");
    report_write_notes(report, chunk, record);
}
