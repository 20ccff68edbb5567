// Notes on definition lines: cut lines, NUL bytes, keywords in texts that no longer count.
#include "checker/line_notes.h"

#include <string.h>

#include "model/config.h"
#include "model/value_codec.h"

namespace {

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

void report_parameter_notes(Report& report, const Chunk& chunk, const ParamEntry& record)
{
    QuotedText name = quoted_text(chunk.text, "Name=\"");
    QuotedText description = quoted_text(chunk.text, "Description=\"");
    report_mode_notes(report, chunk, record, name, description);
    if (!name.closed) note(report, chunk, "the name has no closing double quote: it runs to the end of the line");
    if (!description.closed)
        note(report, chunk, "the description has no closing double quote: it runs to the end of the line");
    // "Default=" and no number: the tool reads default 0, as for a bare "Default".
    char outside[DEFINITION_LINE_SIZE];
    blank_quoted_texts(chunk.text, outside, sizeof outside);
    const char* def = strstr(outside, "Default=");
    if (record.mode == EditMode::Default && def != nullptr && record.defaultValue == 0) {
        const char* after = def + 8;
        while (*after == ' ' || *after == '\t') ++after;
        if (*after != '0' && *after != '+' && *after != '-')
            note(report, chunk, "\"Default=\" without a number: default 0, as a bare \"Default\"");
    }
    report_write_notes(report, chunk, record);
}
