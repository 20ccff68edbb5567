// Bytes read in order, one at a time like getc: the configuration loader, the set reader and the
// production log's rows all read through it, so that tests and fuzz targets feed them bytes in
// memory. (tag/library_file.h's ByteSource reads at offsets instead.)
#pragma once
#include <stddef.h>
#include <stdio.h>

// next gives a byte 0-255, or BYTE_STREAM_END (any other value counts as that) at the end of the
// input or on a read error, and keeps giving it from then on.
constexpr int BYTE_STREAM_END = -1;
struct ByteStream {
    void* context;
    int (*next)(void* context);
};

// A C stream; a read error shows as the end, and ferror tells it apart afterwards.
ByteStream file_byte_stream(FILE* file);

// Bytes in memory (length of them; NUL bytes are bytes like any other), through a cursor that
// must live as long as the stream is read.
struct TextCursor {
    const unsigned char* at;
    const unsigned char* end;
};
ByteStream text_byte_stream(TextCursor* cursor, const char* bytes, size_t length);
