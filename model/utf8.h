// The one judgement of whether bytes are UTF-8: strict, as Windows' MB_ERR_INVALID_CHARS takes
// it (no overlong forms, no surrogates, nothing above U+10FFFF), byte by byte or over a text.
#pragma once
#include <stddef.h>

// What the bytes so far were: each byte is fed to utf8_step in order.
struct Utf8State {
    int pending;              // continuation bytes still expected
    unsigned char low, high;  // the range the next continuation byte must lie in
    bool broken;              // some byte was no UTF-8
    bool nonAscii;            // some byte was not ASCII
};

void utf8_step(Utf8State& state, unsigned char byte);
// Whether the bytes fed were whole UTF-8: nothing broken, no character cut off at the end.
bool utf8_whole(const Utf8State& state);

// The length of the UTF-8 character at s (1 to 4), 0 when its bytes are none.
int utf8_length(const unsigned char* s);
// Whether a NUL-terminated text is UTF-8 throughout.
bool utf8_text(const char* text);
