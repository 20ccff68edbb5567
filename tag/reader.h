// The four operations of the NFC reader maker's library (CR95HF.dll), and the request and
// answer text buffers shared by every exchange. Each operation returns 0 on success.
#pragma once
#include "tag/library_file.h"

enum { READER_TEXT_SIZE = 52 };

// The formatted request and the last answer, NUL-terminated uppercase hexadecimal text.
// Answer characters 4-5 are the tag's flags byte, its payload starts at character 6.
extern char CommandText[READER_TEXT_SIZE];
extern char AnswerText[READER_TEXT_SIZE];

int reader_connect();
int reader_check();
// `answer` must have room for READER_TEXT_SIZE characters; implementations never write more.
int reader_select(const char* command, char* answer);
int reader_send_receive(const char* command, char* answer);

// Finds, checks and loads the library unless it is loaded already; asked before every
// connection, so that a library put in place while the tool runs is taken. While the report's
// fault is not none, the four operations fail.
const LibraryReport& reader_library_load();
