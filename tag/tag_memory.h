// Opening the reader connection, and reading and writing any run of bytes at a byte address of
// the tag's memory, over its 4-byte blocks.
#pragma once
#include <stdint.h>

#include "tag/library_file.h"

enum {
    BLOCK_SIZE = 4,
    LAST_BLOCK = 255,   // block numbers go into requests as one byte
    SCRATCH_SIZE = 32,  // `rxdata` of a write
};

// Whether the last answer's tag flags (character 5, the flags' low digit) report no error.
bool tag_answer_ok();

// How reaching the tag ended.
enum class ReaderOutcome {
    ok,
    noLibrary,      // CR95HF.dll cannot be used: ReaderDetail::library says why
    noReader,       // connect failed, and the check found no connection either
    selectRefused,  // the reader refused to select ISO/IEC 15693 ("010D")
    noTag,          // nothing answered the identification request ("022B"), which the caller sends
};

// What opening the connection found on the way, for a tool that shows every step.
struct ReaderDetail {
    const LibraryReport* library;
    int connect, check, select;  // the library's results; check is asked only after a failed connect
    bool checkAsked;
};

// Loads the library if need be, connects (or, failing that, checks) and selects ISO/IEC 15693.
ReaderOutcome reader_open(ReaderDetail* detail = nullptr);

// Reads one block's four bytes, in memory order, into out. False when the call failed, the answer
// carries the tag's error flag or lacks the block's eight hex digits, or there is no such block.
bool tag_read_block(int block, uint8_t* out);

// How one block write ended: a refusal is the tag's answer (its error flag), no answer a failed
// library call, after which nobody knows whether the tag wrote the block.
enum class BlockWrite { ok, refused, noAnswer };

// Writes one block's four bytes. Presents no password.
BlockWrite tag_write_block(int block, const uint8_t* bytes);

// Reads the blocks covering count bytes at address into out, starting with the byte at address
// and running to the end of the last block: out needs room for count + 3 bytes. Returns the
// number of bytes stored, 0 on failure.
int tag_read_bytes(int32_t address, int count, uint8_t* out);

// Where a write of bytes stopped, for a message a technician acts on.
struct TagWriteFault {
    enum Kind { none, unreachable, noRead, refused, noAnswer } kind;
    int block;  // refused, noAnswer: the block the tag refused or did not answer for
};

// Presents the configured password, then rewrites the blocks covering count bytes at address
// with data overlaid. False when a read or a block write was refused; blocks written before the
// refusal stay written. fault (may be null) says where it stopped.
bool tag_write_bytes(int32_t address, int count, const uint8_t* data, TagWriteFault* fault = nullptr);
