// The full sentence saying why the tag cannot be reached, for the status box's tooltip and the
// reader diagnosis alike: row 0's short texts cannot say which of many causes it is.
#pragma once
#include <stdint.h>

#include "platform/path_size.h"
#include "tag/tag_memory.h"

// Room for a sentence that names a path.
enum { READER_REASON_SIZE = PATH_SIZE + 220 };

// Names the program that shows the texts: "pelox" (the default), "pelox-tag" or "pelox-check", as
// the release zip names its 32-bit build. A library of the other word size names the twin to start.
void reader_text_program(const char* name);

// The sentence for outcome ("" for ok); library says why for noLibrary and may be null otherwise.
// For the simulator whose tag file is at fault, its own reason ("the simulated tag file cannot be
// read: PATH") in place of the reader's or the tag's sentence.
void reader_reason(ReaderOutcome outcome, const LibraryReport* library, char* out, int size);

// "16 (USB handle check), 5 (send/receive)": the reader functions whose bits are set in which.
void reader_function_list(uint8_t which, char* out, int size);

// "32-bit" or "64-bit" for a library's machine; nullptr for any other processor.
const char* machine_word_size(uint16_t machine);
