// The texts a reader library writes for the tool, taken into its fixed buffers.
#pragma once
#include <stddef.h>

#include "tag/reader.h"

// What a library wrote into a text buffer of rawSize bytes (not NUL-terminated, perhaps): up to
// its NUL, cut to the room of out at a character's start, each control character and each byte
// of text that is no UTF-8 shown as '?'. The library's texts come to the tool only through it.
void reader_text_take(const char* raw, size_t rawSize, char* out, size_t size);
// A ReaderInfo of the library's result and text (reader_text_take), or of a function not offered.
ReaderInfo reader_info_from(int result, const char* raw, size_t rawSize);
ReaderInfo reader_info_not_offered();
