// pelox-check --reader: the reader library, the reader and the tag, one step a line, taken as
// the tool takes them.
#pragma once
#include <stdio.h>

// The exit status names the step that failed.
enum ReaderCheckStatus {
    READER_CHECK_OK = 0,
    READER_CHECK_NOT_FOUND = 10,
    READER_CHECK_NOT_A_LIBRARY = 11,
    READER_CHECK_WORD_SIZE = 12,
    READER_CHECK_FUNCTIONS = 13,
    READER_CHECK_NOT_LOADED = 14,
    READER_CHECK_NO_READER = 15,
    READER_CHECK_SELECT = 16,
    READER_CHECK_NO_TAG = 17,
    READER_CHECK_BLOCK_READ = 18,
    READER_CHECK_NO_LIBRARY_HERE = 19,  // a build without the reader library (not Windows)
};

// Loads CR95HF.dll, connects, selects, identifies the tag and reads block 0, printing each step
// to out; stops at the first that fails. Returns its status.
int diagnose_reader(FILE* out);
