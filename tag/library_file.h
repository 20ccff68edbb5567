// Looking at a candidate CR95HF.dll before loading it: is it a Windows library of the program's
// word size that exports the four functions the tool imports by ordinal? The file is untrusted:
// every read is bounded by what the file holds, and nothing is allocated.
#pragma once
#include <stdint.h>

#include "platform/path_size.h"

enum {
    LIBRARY_PATH_SIZE = PATH_SIZE,
    MACHINE_I386 = 0x014C,
    MACHINE_AMD64 = 0x8664,
    READER_FUNCTIONS = 4,
};

// The ordinals the tool imports: connect, check, select, send/receive. Bit i of
// LibraryReport::missing stands for READER_ORDINALS[i].
extern const uint16_t READER_ORDINALS[READER_FUNCTIONS];
// What the maker's library tells of itself and the reader, looked up too but not needed.
enum { ORDINAL_LIBRARY_REVISION = 8, ORDINAL_FIRMWARE_REVISION = 11, ORDINAL_HARDWARE_VERSION = 17 };

// The machine a library must be built for to load into this program.
constexpr uint16_t PROGRAM_MACHINE = sizeof(void*) == 8 ? MACHINE_AMD64 : MACHINE_I386;

// Why the reader library cannot be used.
enum class LibraryFault : uint8_t {
    none,
    notFound,          // in neither folder the tool looks in
    notPe,             // no Windows executable file: text, cut short, damaged headers
    notDll,            // a Windows program, not a library
    wrongMachine,      // built for another word size or processor (`machine`)
    functionsMissing,  // `missing` says which
    loadRefused,       // the system would not load it (`systemError`)
    unsupported,       // a build that has no reader library (the native console tools)
};

struct LibraryReport {
    LibraryFault fault;
    uint16_t machine;              // from the file's header; 0 when it has none
    uint8_t missing;               // bit i set: READER_ORDINALS[i] is not exported
    uint32_t systemError;          // for loadRefused
    char path[LIBRARY_PATH_SIZE];  // the file looked at; for notFound the program's folder or ""
};

// Reads count bytes at offset into out; false when the source holds fewer.
struct ByteSource {
    bool (*read)(void* context, uint32_t offset, uint8_t* out, uint32_t count);
    void* context;
};

// Judges a candidate's bytes: sets fault (none, notPe, notDll, wrongMachine or
// functionsMissing), machine and missing; leaves path and systemError alone.
void inspect_library(const ByteSource& source, uint16_t machine, LibraryReport* report);
