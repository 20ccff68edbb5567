// The full sentence saying why the tag cannot be reached, for the status box's tooltip and the
// reader diagnosis alike: row 0's short texts cannot say which of many causes it is.
#pragma once
#include <stdint.h>

#include "tag/tag_memory.h"

enum { READER_REASON_SIZE = 400 };

// Names the program that shows the texts: "pelox" (the default), "pelox-tag" or "pelox-check", as
// the release zip names its 32-bit build. A library of the other word size names the twin to start.
void reader_text_program(const char* name);

// The sentence for outcome ("" for ok); library says why for noLibrary and may be null otherwise.
void reader_reason(ReaderOutcome outcome, const LibraryReport* library, char* out, int size);

// "16 (connect), 5 (send/receive)": the reader functions whose bits are set in which.
void reader_function_list(uint8_t which, char* out, int size);

// "32-bit" or "64-bit" for a library's machine; nullptr for any other processor.
const char* machine_word_size(uint16_t machine);
