// The checker's report: where findings go, how each one is located and counted, and how file
// text is quoted so that every finding stays on one output line.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "checker/check_config.h"
#include "model/param_table.h"

struct CheckCounts {
    int parameters;
    int skipped;  // definition lines the tool reads and drops, comments and blank lines aside
    int comments;
    int blank;
    int neverRead;  // lines after the 100th parameter that are neither comments nor blank
    int overlaps;
    int duplicates;
    int emptyPages;
    int warnings;
    int notes;
};

struct Report {
    const char* path;
    CheckOutput out;
    CheckCounts counts;
    int lineOfRecord[PARAM_COUNT];  // physical line of each accepted parameter
};

// One piece of file text as the tool reads it: a whole line, or the rest of an overlong one.
struct Chunk {
    const char* text;
    int length;  // characters read, NUL bytes included
    int line;    // physical line, from 1
    int column;  // 1 for the start of a line; more for the rest of an overlong line
};

// Writes bytes, or a NUL-terminated text, into the report as they are.
void put_bytes(const Report& report, const char* bytes, size_t length);
void put_text(const Report& report, const char* text);

// Starts a finding with "FILE:LINE: " (or "FILE:LINE:COLUMN: " past the start of a line).
void begin_finding(const Report& report, int line, int column = 1);
// Writes printf-formatted text into the current finding: the checker's own words and numbers,
// at most FORMATTED_PIECE_SIZE - 1 bytes (file text and paths go through put_quoted, put_text).
enum { FORMATTED_PIECE_SIZE = 512 };
void put_format(const Report& report, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Writes text between double quotes, with quotes, backslashes and control characters escaped.
void put_quoted(const Report& report, const char* text);
// Ends the current finding.
void end_finding(const Report& report);

// A finding made of one formatted message.
void finding(const Report& report, int line, int column, const char* format, ...) __attribute__((format(printf, 4, 5)));

const char* mode_word(EditMode mode);
