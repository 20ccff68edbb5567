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

// What the library says of itself and of the reader, for support: a text, a call that failed
// with its result, or a function this library does not export (nor one that is not loaded).
enum { READER_INFO_SIZE = 64 };
enum class ReaderInfoKind : uint8_t { text, failed, notOffered };
struct ReaderInfo {
    ReaderInfoKind kind;
    int result;                   // failed: the library's result
    char text[READER_INFO_SIZE];  // text: what the library gave (tag/library_text.h); otherwise ""
};

// Ordinals 8, 11 and 17 of the maker's library. The reader's two need its USB connection open.
ReaderInfo reader_library_revision();
ReaderInfo reader_firmware_revision();
ReaderInfo reader_hardware_version();

// Whether the library is the Pelox simulator rather than the reader maker's; when it is, reason
// gets why its last operation failed (its tag file cannot be read or written), "" while nothing
// did. reason holds size bytes, NUL-terminated; it may be null when size is 0.
bool reader_simulator(char* reason, int size);
