// Quoting and unquoting names.
#include "model/text_quote.h"

#include <stdio.h>
#include <string.h>

#include "model/text_number.h"

namespace {

// The escape of one character, or an empty text when it stands as it is. Bytes from 0x80 stay:
// they are the file's own letters.
void escape_of(unsigned char c, char* escape)
{
    switch (c) {
    case '"': strcpy(escape, "\\\""); return;
    case '\\': strcpy(escape, "\\\\"); return;
    case '\n': strcpy(escape, "\\n"); return;
    case '\r': strcpy(escape, "\\r"); return;
    case '\t': strcpy(escape, "\\t"); return;
    default: break;
    }
    if (c < 0x20 || c == 0x7F) snprintf(escape, 5, "\\x%02X", c);
    else escape[0] = '\0';
}

bool control_char(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

}  // namespace

bool quote_text(const char* text, char* out, size_t size)
{
    if (size < 3) {
        if (size > 0) out[0] = '\0';
        return false;
    }
    size_t n = 0;
    out[n++] = '"';
    bool whole = true;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != '\0'; ++p) {
        char escape[5];
        escape_of(*p, escape);
        size_t length = escape[0] != '\0' ? strlen(escape) : 1;
        if (n + length + 2 > size) {  // the closing quote and the NUL must still fit
            whole = false;
            break;
        }
        if (escape[0] != '\0') memcpy(out + n, escape, length);
        else out[n] = static_cast<char>(*p);
        n += length;
    }
    out[n++] = '"';
    out[n] = '\0';
    return whole;
}

bool unquote_text(const char* from, const char** end, char* out, size_t size)
{
    if (*from != '"' || size == 0) return false;
    const char* p = from + 1;
    size_t n = 0;
    for (;; ++n) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\0' || control_char(c)) return false;
        if (c == '"') break;
        if (n + 1 >= size) return false;
        if (c != '\\') {
            out[n] = static_cast<char>(c);
            ++p;
            continue;
        }
        switch (p[1]) {
        case '"': out[n] = '"'; break;
        case '\\': out[n] = '\\'; break;
        case 'n': out[n] = '\n'; break;
        case 'r': out[n] = '\r'; break;
        case 't': out[n] = '\t'; break;
        case 'x': {
            int high = hex_digit_value(p[2]), low = hex_digit_value(p[2] == '\0' ? '\0' : p[3]);
            if (high < 0 || low < 0 || (high == 0 && low == 0)) return false;
            out[n] = static_cast<char>(high * 16 + low);
            p += 2;
            break;
        }
        default: return false;
        }
        p += 2;
    }
    out[n] = '\0';
    *end = p + 1;
    return true;
}
