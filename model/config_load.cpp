// The loader's core: "Pelox.ini" cut into lines the way the tool reads them, from any byte
// source, into the settings and the table; and the two sources the tool knows, a file and text.
#include "model/config_load.h"

#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "platform/files.h"
#include "model/utf8.h"

namespace {

// The judgement over a run of bytes; plain ASCII (nearly every line) is passed eight bytes a step.
void check_utf8(Utf8State& u, const unsigned char* at, size_t count)
{
    const unsigned char* end = at + count;
    if (u.pending == 0) {
        uint64_t word;
        for (; end - at >= 8; at += 8) {
            memcpy(&word, at, sizeof word);
            if ((word & 0x8080808080808080u) != 0) break;
        }
    }
    for (; at < end; ++at) utf8_step(u, *at);
}

// The input as a window of bytes not yet read: a text in memory is one window; a byte source
// gives a window of the bytes it was asked for, so it is never asked for more than the lines
// read need. A Ctrl-Z ends the input, as text mode ends a file there.
struct LineReader {
    ConfigSource source;  // where the next window comes from; no next: none
    const unsigned char* at;
    const unsigned char* end;
    unsigned char byte;     // a byte source's window: one byte,
    unsigned char held[3];  // or at the start the three that may be a byte order mark
    bool ended;
    Utf8State utf8;
};

// Whether a byte is waiting at reader.at, asking the source for one when the window is used up.
bool more(LineReader& reader)
{
    if (reader.at < reader.end) return true;
    if (reader.ended || reader.source.next == nullptr) return !(reader.ended = true);
    int c = reader.source.next(reader.source.context);
    if (c < 0 || c > 255 || c == CONFIG_END_OF_FILE) return !(reader.ended = true);
    reader.byte = static_cast<unsigned char>(c);
    reader.at = &reader.byte;
    reader.end = reader.at + 1;
    return true;
}

// Takes count bytes of the window as read.
const unsigned char* take(LineReader& reader, size_t count)
{
    const unsigned char* from = reader.at;
    check_utf8(reader.utf8, from, count);
    reader.at += count;
    return from;
}

// Notepad's "UTF-8 with BOM" (and every UTF-8 file of older versions) starts with EF BB BF.
bool skip_byte_order_mark(LineReader& reader)
{
    if (reader.source.next != nullptr) {  // the first three bytes become the window
        int n = 0;
        for (; n < 3 && more(reader); ++n) {
            reader.held[n] = *reader.at;
            reader.at = reader.end;
        }
        reader.at = reader.held;
        reader.end = reader.held + n;
    }
    if (reader.end - reader.at < 3 || memcmp(reader.at, "\xEF\xBB\xBF", 3) != 0) return false;
    take(reader, 3);
    return true;
}

// Lines as fgets reads them in text mode: at most size - 1 bytes, up to and including a line
// feed; a carriage return is dropped only where a line feed follows it. Returns the number of
// bytes stored (NUL bytes count), 0 at the end of the input.
int read_line(LineReader& reader, char* buf, int size)
{
    size_t n = 0, room = static_cast<size_t>(size - 1);
    while (n < room && more(reader)) {
        size_t count = static_cast<size_t>(reader.end - reader.at);
        if (count > room - n) count = room - n;
        const void* feed = memchr(reader.at, '\n', count);
        if (feed != nullptr) count = static_cast<size_t>(static_cast<const unsigned char*>(feed) - reader.at) + 1;
        const void* ret = memchr(reader.at, '\r', count);
        bool carriageReturn = ret != nullptr;
        if (carriageReturn) count = static_cast<size_t>(static_cast<const unsigned char*>(ret) - reader.at) + 1;
        memcpy(buf + n, take(reader, count), count);
        n += count;
        if (carriageReturn && more(reader) && *reader.at == '\n') {
            buf[n - 1] = '\n';
            take(reader, 1);
            break;
        }
        if (!carriageReturn && feed != nullptr) break;
    }
    buf[n] = '\0';
    return static_cast<int>(n);
}

int next_text_byte(void* context)
{
    TextCursor& text = *static_cast<TextCursor*>(context);
    return text.at < text.end ? *text.at++ : CONFIG_SOURCE_END;
}

int next_file_byte(void* context)
{
    int c = getc(static_cast<FILE*>(context));
    return c == EOF ? CONFIG_SOURCE_END : c;
}

}  // namespace

namespace {

void load_lines(LineReader& reader, const ConfigTrace* trace)
{
    Setsecurity = 0;
    skippedLines = SkippedLines{0, 0};
    bool mark = skip_byte_order_mark(reader);
    char header[HEADER_LINE_SIZE];
    int length = read_line(reader, header, sizeof header);
    if (length > 0) {
        // The header is the whole first line: what does not fit is passed over, never read as a
        // definition.
        bool cut = header[length - 1] != '\n' && length == HEADER_LINE_SIZE - 1;
        int more = 0;
        char rest[DEFINITION_LINE_SIZE];
        while (cut && (more = read_line(reader, rest, sizeof rest)) > 0 && rest[more - 1] != '\n') {
        }
        HeaderReading reading = apply_header_line(header);
        // A file that starts straight with definitions loses its first one to the header.
        reading.definition = strstr(header, "Name=\"") != nullptr;
        if (reading.definition) skippedLines = SkippedLines{1, 1};
        reading.cut = cut && more > 0;
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

void load_config_from(const ConfigSource& source, const ConfigTrace* trace)
{
    LineReader reader = {source, nullptr, nullptr, 0, {}, false, {}};
    load_lines(reader, trace);
}

ConfigSource file_byte_source(FILE* file)
{
    return ConfigSource{file, next_file_byte};
}

ConfigSource text_byte_source(TextCursor* cursor, const char* bytes, size_t length)
{
    const unsigned char* begin = reinterpret_cast<const unsigned char*>(bytes);
    *cursor = TextCursor{begin, begin == nullptr ? begin : begin + length};
    return ConfigSource{cursor, next_text_byte};
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
    load_config_from(file_byte_source(file), trace);
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
    const unsigned char* begin = reinterpret_cast<const unsigned char*>(bytes);
    const void* stop = begin == nullptr ? nullptr : memchr(begin, CONFIG_END_OF_FILE, length);
    LineReader reader = {{nullptr, nullptr}, begin, begin == nullptr ? begin : begin + length, 0, {}, false, {}};
    if (stop != nullptr) reader.end = static_cast<const unsigned char*>(stop);
    load_lines(reader, trace);
}
