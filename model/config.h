// "Pelox.ini": the header settings (password, security button, scanning) and the parameter
// definitions that fill the parameter table.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include "model/param_table.h"

enum {
    CONFIG_PATH_SIZE = 260,      // szFileName
    HEADER_LINE_SIZE = 30,       // the header's first 29 characters count
    DEFINITION_LINE_SIZE = 255,  // at most 254 characters of a definition line at a time
    MEMORY_SIZE = 1024,          // tag bytes reachable with one-byte block numbers
};

extern uint32_t password;     // tag password 1, presented before every write
extern int32_t Setsecurity;   // non-zero: the "ssec" button stays visible
extern uint32_t scanEnabled;  // 1: every timer tick refreshes the page
extern int32_t scanInterval;  // refresh timer period in milliseconds

// Why a definition line was accepted or skipped; the loader only tells zero from non-zero.
enum class LineVerdict {
    accepted,             // parse_param_line gives 1
    acceptedWithDefault,  // parse_param_line gives 2
    comment,
    noName,
    noDescription,
    noAddress,
    addressTooLarge,  // the address does not fit a signed 32-bit number
    noType,
    outsideMemory,    // stored bytes not within 0..1023
    defaultTooLarge,  // the "Default=" number does not fit a signed 32-bit number
};

// What the header line gave.
struct HeaderReading {
    bool passwordRead;
    bool setRead;
    bool scanFound;
    bool scanNumberRead;  // false: scanInterval became 1000
    bool scanRaised;      // the interval was below 10 and became 10
};

// Builds "<executable's folder>Pelox.ini" (szFileName); false when it does not fit.
bool config_path(char* path, int size);

// Loads "Pelox.ini" beside the executable. False when the file cannot be opened (nothing
// changes then); true when it was read into the settings and the table.
bool load_config();

// Observer of a load, for the configuration checker; every member may be null.
struct ConfigTrace {
    void* context;
    void (*header)(void* context, const char* line, int length, const HeaderReading& reading);
    // index: the record the line was parsed into (entryCount before the line).
    void (*definition)(void* context, const char* line, int length, LineVerdict verdict, uint32_t index);
};

// load_config on a given path, telling the trace about every line read.
bool load_config_file(const char* path, const ConfigTrace* trace);

// Reads one line like fgets into buf (at most size - 1 characters, stopping after a line
// feed), dropping a carriage return that comes before a line feed. Returns the number of
// characters stored (a NUL byte read from the file counts), 0 at the end of the file.
int read_config_line(FILE* file, char* buf, int size);

// Applies a header line to the settings.
HeaderReading apply_header_line(const char* line);

// 0: line rejected; 1: accepted; 2: accepted with a "Default=" value. Writes the record's
// fields as it goes, also on lines it finally rejects; a rejected record's type is 0.
int parse_param_line(const char* line, ParamEntry* record);
LineVerdict parse_param_line_verdict(const char* line, ParamEntry* record);
