// The loader's core: "Pelox.ini" cut into lines the way the tool reads them, from any byte
// source, into the settings and the table; and the load of a file and of text in memory.
#include "model/config_load.h"

#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "platform/files.h"
#include "model/utf8.h"

namespace {

// The input a byte at a time with one byte of look-ahead: a carriage return is dropped only where
// a line feed follows it. A Ctrl-Z ends the input, as text mode ends a file there.
constexpr int NOT_READ = -2;
struct LineReader {
    ByteStream source;
    int ahead;       // the byte looked at and not yet taken, BYTE_STREAM_END at the end, or NOT_READ
    Utf8State utf8;  // judged over every byte taken
};

int peek(LineReader& reader)
{
    if (reader.ahead == NOT_READ) {
        int c = reader.source.next(reader.source.context);
        reader.ahead = c < 0 || c > 255 || c == CONFIG_END_OF_FILE ? BYTE_STREAM_END : c;
    }
    return reader.ahead;
}

// The next byte, or BYTE_STREAM_END from the end on.
int take(LineReader& reader)
{
    int c = peek(reader);
    if (c == BYTE_STREAM_END) return c;
    utf8_step(reader.utf8, static_cast<unsigned char>(c));
    reader.ahead = NOT_READ;
    return c;
}

// Lines as fgets reads them in text mode: at most size - 1 bytes, up to and including a line
// feed. Returns the number of bytes stored (NUL bytes count), 0 at the end of the input.
int read_line(LineReader& reader, char* buf, int size)
{
    int n = 0;
    for (int c; n < size - 1 && (c = take(reader)) != BYTE_STREAM_END;) {
        if (c == '\r' && peek(reader) == '\n') c = take(reader);
        buf[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buf[n] = '\0';
    return n;
}

// Passes over the rest of a line; whether a line feed ended it.
bool skip_line(LineReader& reader)
{
    for (int c; (c = take(reader)) != BYTE_STREAM_END;)
        if (c == '\n') return true;
    return false;
}

void load_lines(LineReader& reader, const ConfigTrace* trace)
{
    Setsecurity = 0;
    skippedLines = SkippedLines{0, 0};
    // Notepad's "UTF-8 with BOM" (and every UTF-8 file of older versions) starts with EF BB BF:
    // the first line has room for it before the header's own bytes.
    char first[3 + HEADER_LINE_SIZE];
    int length = read_line(reader, first, sizeof first);
    bool mark = length >= 3 && memcmp(first, "\xEF\xBB\xBF", 3) == 0;
    char* header = mark ? first + 3 : first;
    if (mark) length -= 3;
    if (length > 0) {
        // The header is the whole first line: what does not fit is passed over, never read as a
        // definition. It counts as cut only when a line feed ends it.
        bool cut = length >= HEADER_LINE_SIZE - 1 && header[HEADER_LINE_SIZE - 2] != '\n';
        bool ended = cut && (header[length - 1] == '\n' || skip_line(reader));
        if (cut) {
            length = HEADER_LINE_SIZE - 1;
            header[length] = '\0';
        }
        HeaderReading reading = apply_header_line(header);
        // A file that starts straight with definitions loses its first one to the header.
        reading.definition = strstr(header, "Name=\"") != nullptr;
        if (reading.definition) skippedLines = SkippedLines{1, 1};
        reading.cut = ended;
        reading.byteOrderMark = mark;
        if (trace && trace->header) trace->header(trace->context, header, length, reading);
    }

    clear_table();
    int physical = 2;  // the line the next piece read starts on
    char line[DEFINITION_LINE_SIZE];
    while (entryCount < PARAM_COUNT && (length = read_line(reader, line, sizeof line)) > 0) {
        LineDetail detail;
        LineVerdict verdict = parse_param_line_verdict(line, &ParamTable[entryCount], &detail);
        uint32_t index = entryCount;
        if (verdict == LineVerdict::accepted || verdict == LineVerdict::acceptedWithDefault) ++entryCount;
        else if (verdict != LineVerdict::comment && !blank_line(line, length) && skippedLines.count++ == 0)
            skippedLines.firstLine = physical;
        if (trace && trace->definition) trace->definition(trace->context, line, length, verdict, detail, index);
        if (line[length - 1] == '\n') ++physical;
    }
    lastPage = compute_last_page(entryCount);
    // Judged on what the tool reads: a trace that reads on past the 100th parameter sees more.
    const Utf8State& u = reader.utf8;
    configText = !u.nonAscii ? ConfigText::ascii : utf8_whole(u) ? ConfigText::utf8 : ConfigText::ansi;

    // The tool stops at the 100th parameter; only an observer that asks is shown the rest.
    if (trace && trace->unread)
        while ((length = read_line(reader, line, sizeof line)) > 0) trace->unread(trace->context, line, length);
}

}  // namespace

void load_config_from(const ByteStream& source, const ConfigTrace* trace)
{
    LineReader reader = {source, NOT_READ, {}};
    load_lines(reader, trace);
}

bool load_config_file(const char* path, const ConfigTrace* trace, ConfigLoad* outcome)
{
    ConfigLoad unused;
    if (outcome == nullptr) outcome = &unused;
    // Read only: the program never writes the file, and a write-protected file must load.
    FileOpen why = FileOpen::ok;
    FILE* file = open_file_to_read(path, &why);
    switch (why) {
    case FileOpen::ok: break;
    case FileOpen::missing: *outcome = ConfigLoad::missing; return false;
    case FileOpen::notAFile: *outcome = ConfigLoad::notAFile; return false;
    case FileOpen::unreadable: *outcome = ConfigLoad::unreadable; return false;
    }
    // What was read before a read error is no configuration: the rest of it is not known.
    load_config_from(file_byte_stream(file), trace);
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) {
        clear_table();
        lastPage = 0;
        reset_settings();
        *outcome = ConfigLoad::unreadable;
        return false;
    }
    *outcome = ConfigLoad::read;
    return true;
}

void load_config_text(const char* bytes, size_t length, const ConfigTrace* trace)
{
    TextCursor cursor;
    load_config_from(text_byte_stream(&cursor, bytes, length), trace);
}
