// Time values as a time box shows them, "YYYY-MM-DD HH:MM:SS" in the machine's local time, and
// the text a user may type back into one.
#pragma once
#include <stddef.h>
#include <stdint.h>

enum {
    TIME_TEXT_SIZE = 31,  // the shown text and its NUL, with room to spare
    UTC_TEXT_SIZE = 32,   // "YYYY-MM-DD HH:MM:SS UTC" and its NUL, with room to spare
};

// The box text for seconds since 1970-01-01 00:00:00 UTC. A time the C runtime cannot convert
// (the Windows runtime refuses times before 1970) is shown as its plain number of seconds.
void format_time(int32_t seconds, char* txt, size_t size);

enum class TimeEntry {
    ok,
    notATime,    // neither the shown form nor a whole number
    noSuchTime,  // the shown form, but no such local time (2024-02-30, 25:00:00, a skipped hour)
    outOfRange,  // its seconds do not fit a signed 32-bit number, or the C runtime cannot convert it
};

// Reads what a time box accepts: exactly the shown form, or a whole number of seconds, each with
// optional blanks around it.
TimeEntry parse_time_entry(const char* text, int32_t* seconds);

// "YYYY-MM-DD HH:MM:SS UTC": the same text on every machine, for files and logs that are compared
// and kept. Times outside the years 0 to 9999 are written as their plain number of seconds.
void format_utc(int64_t seconds, char* txt, size_t size);
// Exactly that form, years 1970 to 9999; false for anything else or a date that does not exist.
bool parse_utc(const char* text, int64_t* seconds);
