// The two byte streams the tools read from: a C stream and bytes in memory.
#include "model/byte_stream.h"

namespace {

int next_file_byte(void* context)
{
    int c = getc(static_cast<FILE*>(context));
    return c == EOF ? BYTE_STREAM_END : c;
}

int next_text_byte(void* context)
{
    TextCursor& text = *static_cast<TextCursor*>(context);
    return text.at < text.end ? *text.at++ : BYTE_STREAM_END;
}

}  // namespace

ByteStream file_byte_stream(FILE* file)
{
    return ByteStream{file, next_file_byte};
}

ByteStream text_byte_stream(TextCursor* cursor, const char* bytes, size_t length)
{
    const unsigned char* begin = reinterpret_cast<const unsigned char*>(bytes);
    *cursor = TextCursor{begin, begin == nullptr ? begin : begin + length};
    return ByteStream{cursor, next_text_byte};
}
