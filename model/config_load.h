// The loader: "Pelox.ini" read from any byte source into the settings and the table, with an
// observer of every line for the configuration checker.
#pragma once
#include <stddef.h>

#include "model/byte_stream.h"
#include "model/config.h"

// Observer of a load, for the configuration checker; every member may be null. Lines are
// NUL-terminated; length counts every byte read into them, NUL bytes included.
struct ConfigTrace {
    void* context;
    void (*header)(void* context, const char* line, int length, const HeaderReading& reading);
    // index: the record the line was parsed into (entryCount before the line).
    void (*definition)(void* context, const char* line, int length, LineVerdict verdict, const LineDetail& detail,
                       uint32_t index);
    // The lines after the 100th parameter, which the tool leaves unread: only when this is set
    // does the load read on to the end of the input, cut into lines as before, unparsed.
    void (*unread)(void* context, const char* line, int length);
};

// The load itself, on any source: sets Setsecurity to 0, applies the header line, fills the
// table and lastPage, telling the trace (may be null) about every line read.
void load_config_from(const ByteStream& source, const ConfigTrace* trace);

// What became of a load of a file: read, or why nothing of it was taken.
enum class ConfigLoad { read, missing, notAFile, unreadable, pathTooLong };

// load_config on a given path. False when the file cannot be opened, is no file (a folder, a
// device) or cannot be read to its end: nothing changes then. *outcome (may be null) says which.
bool load_config_file(const char* path, const ConfigTrace* trace, ConfigLoad* outcome = nullptr);

// The load on bytes in memory (length of them; NUL bytes are bytes like any other).
void load_config_text(const char* bytes, size_t length, const ConfigTrace* trace);
