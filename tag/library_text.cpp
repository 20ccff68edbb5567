// The texts a reader library writes for the tool (its revision, the reader's firmware and
// hardware, the simulator's fault), taken into the tool's fixed buffers: whatever the library
// wrote, the tool holds a NUL-terminated text of whole UTF-8 characters and no control characters.
#include "tag/library_text.h"

#include <string.h>

#include "model/utf8.h"

namespace {

// The length of the UTF-8 character at s, of the left bytes there; 0 when they hold none.
size_t character_length(const unsigned char* s, size_t left)
{
    Utf8State u = {};
    for (size_t k = 0; k < left && k < 4; ++k) {
        utf8_step(u, s[k]);
        if (u.broken) return 0;
        if (u.pending == 0) return k + 1;
    }
    return 0;
}

}  // namespace

void reader_text_take(const char* raw, size_t rawSize, char* out, size_t size)
{
    if (size == 0) return;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(raw);
    size_t length = raw != nullptr ? strnlen(raw, rawSize) : 0, used = 0;
    for (size_t i = 0; i < length;) {
        size_t n = s[i] < 0x80 ? 1 : character_length(s + i, length - i);
        bool shown = n > 0 && s[i] >= 0x20 && s[i] != 0x7F;
        size_t room = shown ? n : 1;
        if (used + room >= size) break;  // never half a character
        if (shown) memcpy(out + used, s + i, n);
        else out[used] = '?';
        used += room;
        i += n > 0 ? n : 1;
    }
    out[used] = '\0';
}

ReaderInfo reader_info_from(int result, const char* raw, size_t rawSize)
{
    ReaderInfo info = {result == 0 ? ReaderInfoKind::text : ReaderInfoKind::failed, result, ""};
    if (result == 0) reader_text_take(raw, rawSize, info.text, sizeof info.text);
    return info;
}

ReaderInfo reader_info_not_offered()
{
    return ReaderInfo{ReaderInfoKind::notOffered, 0, ""};
}
