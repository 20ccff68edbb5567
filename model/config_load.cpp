// The loader's core: "Pelox.ini" cut into lines the way the tool reads them, from any byte
// source, into the settings and the table; and the two sources the tool knows, a file and text.
#include <stdio.h>

#include "model/config.h"
#include "model/file_open.h"

namespace {

// Lines as fgets reads them in text mode: at most size - 1 bytes, up to and including a line
// feed; a carriage return is dropped only where a line feed follows it, which takes one byte
// of look-ahead.
// Whether the bytes so far are UTF-8: a lead byte and the continuation bytes it asks for.
struct Utf8Check {
    int pending;  // continuation bytes still expected
    bool broken;
    bool nonAscii;
};

void check_utf8(Utf8Check& u, int c)
{
    if (c < 0x80) {
        u.broken = u.broken || u.pending > 0;
        u.pending = 0;
        return;
    }
    u.nonAscii = true;
    if (c < 0xC0) {  // a continuation byte
        if (u.pending == 0) u.broken = true;
        else --u.pending;
        return;
    }
    u.broken = u.broken || u.pending > 0 || c < 0xC2 || c > 0xF4;  // C0, C1: overlong; F5 and up: none
    u.pending = c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
}

struct LineReader {
    ConfigSource source;
    Utf8Check utf8;
    int ahead[3];  // bytes read ahead (after a lone carriage return, or of a byte order mark)
    int aheadCount;
    bool ended;  // a Ctrl-Z ends the file, as text mode ends it
};

int next_byte(LineReader& reader)
{
    if (reader.aheadCount > 0) {  // read before any Ctrl-Z
        int c = reader.ahead[0];
        reader.ahead[0] = reader.ahead[1];
        reader.ahead[1] = reader.ahead[2];
        --reader.aheadCount;
        return c;
    }
    int c = reader.ended ? CONFIG_SOURCE_END : reader.source.next(reader.source.context);
    if (c == CONFIG_END_OF_FILE) reader.ended = true;
    if (c < 0 || c > 255 || reader.ended) return CONFIG_SOURCE_END;
    check_utf8(reader.utf8, c);
    return c;
}

void put_back(LineReader& reader, int c)
{
    if (reader.aheadCount < 3) reader.ahead[reader.aheadCount++] = c;
}

// Notepad's "UTF-8 with BOM" (and every UTF-8 file of older versions) starts with EF BB BF.
bool skip_byte_order_mark(LineReader& reader)
{
    const int kMark[3] = {0xEF, 0xBB, 0xBF};
    int got[3];
    int n = 0;
    while (n < 3 && (got[n] = next_byte(reader)) == kMark[n]) ++n;
    if (n == 3) return true;
    for (int i = 0; i <= n && i < 3; ++i)
        if (got[i] != CONFIG_SOURCE_END) put_back(reader, got[i]);
    return false;
}

// Returns the number of bytes stored (NUL bytes count), 0 at the end of the input.
int read_line(LineReader& reader, char* buf, int size)
{
    int n = 0;
    while (n + 1 < size) {
        int c = next_byte(reader);
        if (c == CONFIG_SOURCE_END) break;
        if (c == '\r') {
            int next = next_byte(reader);
            if (next == '\n') c = '\n';
            else if (next != CONFIG_SOURCE_END) put_back(reader, next);
        }
        buf[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buf[n] = '\0';
    return n;
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

void load_config_from(const ConfigSource& source, const ConfigTrace* trace)
{
    LineReader reader = {source, {0, false, false}, {}, 0, false};
    Setsecurity = 0;
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
        reading.cut = cut && more > 0;
        reading.byteOrderMark = mark;
        if (trace && trace->header) trace->header(trace->context, header, length, reading);
    }

    clear_table();
    char line[DEFINITION_LINE_SIZE];
    while (entryCount < PARAM_COUNT && (length = read_line(reader, line, sizeof line)) > 0) {
        LineVerdict verdict = parse_param_line_verdict(line, &ParamTable[entryCount]);
        uint32_t index = entryCount;
        if (verdict == LineVerdict::accepted || verdict == LineVerdict::acceptedWithDefault) ++entryCount;
        if (trace && trace->definition) trace->definition(trace->context, line, length, verdict, index);
    }
    lastPage = compute_last_page(entryCount);
    // Judged on what the tool reads: a trace that reads on past the 100th parameter sees more.
    const Utf8Check& u = reader.utf8;
    configText = !u.nonAscii ? ConfigText::ascii : u.broken || u.pending > 0 ? ConfigText::ansi : ConfigText::utf8;

    // The tool stops at the 100th parameter; only an observer that asks is shown the rest.
    if (trace && trace->unread)
        while ((length = read_line(reader, line, sizeof line)) > 0) trace->unread(trace->context, line, length);
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

bool load_config_file(const char* path, const ConfigTrace* trace)
{
    // Read only: the program never writes the file, and a write-protected file must load.
    FILE* file = open_file(path, "rb");
    if (file == nullptr) return false;
    load_config_from(file_byte_source(file), trace);
    fclose(file);
    return true;
}

void load_config_text(const char* bytes, size_t length, const ConfigTrace* trace)
{
    TextCursor text;
    load_config_from(text_byte_source(&text, bytes, length), trace);
}
