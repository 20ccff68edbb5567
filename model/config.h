// "Pelox.ini": the header settings (password, security button, scanning) and the parameter
// definitions that fill the parameter table.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "model/param_table.h"
#include "platform/path_size.h"

enum {
    CONFIG_PATH_SIZE = PATH_SIZE,  // szFileName
    HEADER_LINE_SIZE = 255,        // the header's first 254 characters count; the rest of it is passed over
    DEFINITION_LINE_SIZE = 255,    // at most 254 characters of a definition line at a time
    CONFIG_END_OF_FILE = 0x1A,     // Ctrl-Z: old editors end a text file with it, text mode stops there
    MEMORY_SIZE = 1024,            // tag bytes reachable with one-byte block numbers
    SCAN_INTERVAL_INITIAL = 1000,  // ms; also the period when "scan" has no usable number
    SCAN_INTERVAL_MIN = 10,        // ms; a shorter period is raised to this
};

extern uint32_t password;     // tag password 1, presented before every write
extern int32_t Setsecurity;   // non-zero: the "ssec" button stays visible
extern uint32_t scanEnabled;  // 1: every timer tick refreshes the page
extern int32_t scanInterval;  // refresh timer period in milliseconds

// How the last load found the file's text: names and descriptions are kept as the bytes stood,
// and the window turns them into characters by this. A file that is valid UTF-8 (what Notepad
// saves today) is UTF-8; any other is in the Windows ANSI code page, as older editors saved it.
enum class ConfigText { ascii, utf8, ansi };
extern ConfigText configText;

// The settings as the program starts, before any header was read.
void reset_settings();

// The type keywords of a definition line, in the order the loader looks for them.
struct TypeKeyword {
    const char* text;  // "Type=" and the type's name: "Type=int8"
    ParamType type;
};
enum { TYPE_KEYWORD_COUNT = 6 };
extern const TypeKeyword typeKeywords[TYPE_KEYWORD_COUNT];

// The type's name as a definition line writes it ("int8" ... "empty"); "none" for an unused record.
const char* type_name(ParamType type);

// Why a definition line was accepted or skipped; the loader only tells zero from non-zero.
enum class LineVerdict {
    accepted,             // parse_param_line gives 1
    acceptedWithDefault,  // parse_param_line gives 2
    comment,
    noName,
    noDescription,
    noAddress,
    addressNotANumber,  // "Address=" not followed by a whole decimal number (see LineDetail)
    addressTooLarge,    // the address does not fit a signed 32-bit number
    noType,
    outsideMemory,      // stored bytes not within 0..1023
    defaultNotANumber,  // "Default=" followed by something that is no whole decimal number
    defaultTooLarge,    // the "Default=" number does not fit a signed 32-bit number
    limitNotANumber,    // "Min=" or "Max=" (detail.key) not followed by a whole decimal number
    limitOutsideType,   // a Min= or Max= number (detail.valueAt) the type cannot hold
    minAboveMax,
};

// What the verdict rests on, for the configuration checker to show.
struct LineDetail {
    const char* key;   // the key whose number skipped the line ("Address=", "Min=", ...), or null
    int valueAt;       // offset in the line of the text after that key; -1 for none
    bool bareDefault;  // "Default=" with nothing after it: default 0
    ParamType type;    // the type the line names, also on a line skipped for its Min= or Max=
};

// The definition lines that the last load skipped: neither parameters nor comments nor blank.
struct SkippedLines {
    int count;
    int firstLine;  // physical line of the first of them, 0 for none
};
extern SkippedLines skippedLines;

// Whether a line read (length bytes, NUL bytes included) is blank: white space only.
bool blank_line(const char* line, int length);

// The keywords of a definition line count only outside the quoted Name="..." and
// Description="..." texts: a copy of line with those texts blanked, for searching keywords in.
void blank_quoted_texts(const char* line, char* out, size_t size);

// What the header line gave.
struct HeaderReading {
    bool passwordRead;
    bool setRead;
    bool scanFound;
    bool scanNumberRead;  // false: scanInterval became SCAN_INTERVAL_INITIAL
    bool scanRaised;      // the interval was below SCAN_INTERVAL_MIN and became it
    bool cut;             // the line was longer than HEADER_LINE_SIZE - 1: the rest was passed over
    bool byteOrderMark;   // the file started with a UTF-8 byte order mark, read past
    bool definition;      // the line holds a definition, lost to the header (a skipped line)
};

// Applies a header line to the settings.
HeaderReading apply_header_line(const char* line);

// 0: line rejected; 1: accepted; 2: accepted with a "Default=" value. Writes the record's
// fields as it goes, also on lines it finally rejects; a rejected record's type is 0.
// "Default=" with nothing after it reads as default 0 (acceptedWithDefault), as a bare "Default".
int parse_param_line(const char* line, ParamEntry* record);
LineVerdict parse_param_line_verdict(const char* line, ParamEntry* record, LineDetail* detail = nullptr);
