// Strict UTF-8: the lead byte says how many continuation bytes follow and, for E0, ED, F0 and
// F4, the narrower range of the first of them.
#include "model/utf8.h"

void utf8_step(Utf8State& u, unsigned char c)
{
    if (u.pending > 0) {
        if (c >= u.low && c <= u.high) {
            --u.pending;
            u.low = 0x80, u.high = 0xBF;
            return;
        }
        u.broken = true;  // a character cut short; c starts afresh
        u.pending = 0;
    }
    if (c < 0x80) return;
    u.nonAscii = true;
    u.low = 0x80, u.high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) u.pending = 1;
    else if (c >= 0xE0 && c <= 0xEF) u.pending = 2;
    else if (c >= 0xF0 && c <= 0xF4) u.pending = 3;
    else u.broken = true;               // a continuation byte alone, C0, C1 (overlong), F5 and up
    if (c == 0xE0) u.low = 0xA0;        // below: an overlong form
    else if (c == 0xED) u.high = 0x9F;  // above: a surrogate
    else if (c == 0xF0) u.low = 0x90;   // below: an overlong form
    else if (c == 0xF4) u.high = 0x8F;  // above: beyond U+10FFFF
}

bool utf8_whole(const Utf8State& u)
{
    return !u.broken && u.pending == 0;
}

int utf8_length(const unsigned char* s)
{
    Utf8State u = {};
    utf8_step(u, s[0]);
    int n = 1;
    while (!u.broken && u.pending > 0 && s[n] != '\0') utf8_step(u, s[n++]);
    return utf8_whole(u) ? n : 0;
}

bool utf8_text(const char* text)
{
    Utf8State u = {};
    for (const unsigned char* s = reinterpret_cast<const unsigned char*>(text); *s != '\0'; ++s) utf8_step(u, *s);
    return utf8_whole(u);
}
