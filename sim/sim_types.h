// The simulator's sizes, call kinds, results and the tag's error codes.
#pragma once

#include <cstdint>

enum {
    SIM_MAX_BLOCKS = 256,  // block numbers in requests are one byte
    SIM_BLOCK_SIZE = 4,
    SIM_SECTOR_BLOCKS = 32,
    SIM_SECTORS = SIM_MAX_BLOCKS / SIM_SECTOR_BLOCKS,
    SIM_PASSWORDS = 3,     // password numbers 1 to 3
    SIM_ANSWER_SIZE = 52,  // answers are at most 51 characters and a NUL
    SIM_INFO_SIZE = 32,    // revision and version texts are at most 31 characters and a NUL
    SIM_LOG_CAPACITY = 4096,
    SIM_LOG_TEXT_SIZE = 64,  // longer request texts are logged cut to 63 characters
    SIM_MAX_FAULTS = 16,
    SIM_PATH_SIZE = 4096,  // the tag file's path in UTF-8 and its NUL
};

// The factory tag's UID: 0xE0, IC manufacturer code 0x02, then a serial number.
constexpr uint64_t SIM_DEFAULT_UID = 0xE002A1B2C3D4E5F6ull;

// What a call is counted as, and what a fault is aimed at. "Any request" counts every
// send/receive call, whatever its command; protocol selection is not a request. The first two
// are named as the program calls them: its "connect" is the library's USB handle check
// (ordinal 16), its "check" the library's USB connect (ordinal 13).
enum SimKind {
    SIM_CONNECT,  // ordinal 16, the USB handle check
    SIM_CHECK,    // ordinal 13, the USB connect
    SIM_SELECT,
    SIM_READ_BLOCK,
    SIM_WRITE_BLOCK,
    SIM_SYSTEM_INFO,
    SIM_PRESENT_PASSWORD,
    SIM_WRITE_PASSWORD,
    SIM_LOCK_SECTOR,
    SIM_ANY_REQUEST,
    SIM_KIND_COUNT
};

// Results of the reader entry points: 0 is success; from select and send/receive every other
// value comes with the answer "8700" (no frame received), from the revision and version texts
// with an empty text.
enum SimResult {
    SIM_OK = 0,
    SIM_NO_READER = 1,      // reader absent
    SIM_REFUSED = 2,        // protocol selection refused or not ISO/IEC 15693 ("010D")
    SIM_NO_TAG = 3,         // nothing answered: tag out of the field, or a custom command for another maker
    SIM_INJECTED = 4,       // a call failed on purpose (sim_fail_call)
    SIM_BAD_REQUEST = 5,    // request text empty, odd length, not uppercase hex, or too long
    SIM_NOT_CONNECTED = 6,  // the USB handle check (ordinal 16) before a USB connect (13) opened it
    SIM_TAG_FILE = 7,       // the stand-in's tag file cannot be read or written (sim_file_fault says which)
};

// ISO/IEC 15693 error codes the tag answers with (flags byte 0x01, then the code).
enum {
    SIM_ERR_OTHER = 0x0F,
    SIM_ERR_NO_BLOCK = 0x10,
    SIM_ERR_ALREADY_LOCKED = 0x11,
    SIM_ERR_WRITE_LOCKED = 0x12,
    SIM_ERR_WRITE_FAILED = 0x13,
    SIM_ERR_READ_LOCKED = 0x15,
};
