// A parameter set: the stored values of a device's parameters as a set file holds them, the
// problems a set file can have, and the fingerprint that ties a set to its configuration.
// Reading is in sets/set_read.h, writing in sets/set_write.h, the texts in sets/set_text.h.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "model/config.h"
#include "model/param_table.h"

enum {
    SET_MAX_ENTRIES = PARAM_COUNT,  // a set holds at most what a configuration can
    SET_TOOL_TEXT_SIZE = 24,        // the version of the tool that wrote it
    SET_LINE_SIZE = 1200,           // longest line: a name of 255 characters, each escaped to four
    SET_DETAIL_SIZE = 40,           // what a message quotes of the line
};
// Bytes read at most: a set of 100 entries with the longest names is some 120 000.
constexpr long SET_INPUT_LIMIT = 1024 * 1024;

// One parameter: identified by name, address and type; its value is the number stored (what
// stored_value gives), or none when the device held no valid image ("not-set").
struct SetEntry {
    char name[PARAM_TEXT_SIZE];
    int32_t address;
    ParamType type;
    bool valueSet;
    int32_t value;
    int line;  // where the file holds it; 0 for an entry read from a tag
};

struct ParamSet {
    char tool[SET_TOOL_TEXT_SIZE];
    uint64_t uid;
    int64_t saved;  // seconds since 1970-01-01 00:00:00 UTC
    uint32_t configCount;
    uint32_t fingerprint;
    SetEntry entries[SET_MAX_ENTRIES];
    int count;
};

// Why a set file was refused; every problem has the line it was found on.
enum class SetProblem {
    none,
    notASetFile,       // line 1 is not kSetSignature
    lineTooLong,       // longer than SET_LINE_SIZE - 1 characters
    controlCharacter,  // a NUL or another control character but the tab
    unknownLine,       // neither a comment, a header key nor a parameter
    headerTwice,
    badTool,
    badUid,
    badSaved,
    badConfiguration,
    headerMissing,  // at the end of the file: detail names the key
    badName,
    badAddress,
    badType,
    badValue,
    textAfterValue,
    entryTwice,  // same name, address and type as otherLine
    tooManyEntries,
    fileTooLong,  // more than SET_INPUT_LIMIT bytes
    badEnd,       // the end line does not read "end <count> entries"
    endCount,     // the end line counts another number of entries: lines were lost or added
    afterEnd,     // a header or parameter line after the end line
    noEnd,        // the file stops before its end line: cut off, or saved before sets had one
    isFolder,     // the path names a folder
};

struct SetReadError {
    SetProblem problem;
    int line;
    int otherLine;
    char detail[SET_DETAIL_SIZE];  // the key or the token concerned, cut to fit
};

// The first line of a set file; what follows it on a line (past a byte order mark), or null.
extern const char kSetSignature[];
const char* after_set_signature(const char* line);

// A fingerprint of the loaded configuration: CRC-32 over the name, address and type of every
// record in use, in order. Sets read with another configuration have another one.
uint32_t config_fingerprint();
// The set's identity: CRC-32 over each entry's name, address, type and value (or that it is
// not-set), in order. Comments, line ends and the header do not count, so a new save of the same
// values is the same set.
uint32_t set_fingerprint(const ParamSet& set);
// CRC-32 (IEEE) of bytes, carried on from crc: start with 0xFFFFFFFF, and take ~ of the last.
uint32_t crc32_add(uint32_t crc, const uint8_t* bytes, size_t length);
