// What a report says, in the words the window and pelox-tag show: one line a parameter and a
// summary. Texts are cut to the buffer and always NUL-terminated.
#pragma once
#include <stddef.h>

#include "model/text_quote.h"
#include "sets/param_set.h"
#include "sets/set_report.h"

enum { SET_ITEM_TEXT_SIZE = QUOTED_TEXT_SIZE + 200 };  // room for any name and the longest reason

// Item i: '"Mode" (36, int8): written 3, was 1', '"SW" (0, swver): skipped: a software version
// is never written'. The set is the one the report was made with (it names unknown entries).
void format_set_item(const SetReport& report, const ParamSet& set, int i, char* out, size_t size);

// 'E002A1B2C3D4E5F6: failed: written 17, same 1, failed 1, skipped 7', the counts that are not 0,
// and when the set was saved with another configuration, a note saying so. A verdict given takes
// the place of the outcome's text (a set refused before any tag: "refused").
void format_set_summary(const SetReport& report, char* out, size_t size, const char* verdict = nullptr);

// 'stored as not-set (...): 2: "Vmin" "Log"', the entries a save found no valid value for; empty
// when there are none.
void format_not_set(const ParamSet& set, char* out, size_t size);

// Adds a quoted name to the names in out, a space between two, while it fits with room for " ..."
// after it; else " ..." marks the cut, and false says that the list is full.
bool add_quoted_name(char* out, size_t size, const char* name);

// A refused set file as both the window and pelox-tag show it: "PATH:LINE: error: MESSAGE", or
// "PATH: error: MESSAGE" where no line is concerned (cannot be opened, a folder).
void format_set_file_error(const char* path, const SetReadError& error, char* out, size_t size);

// "ok", "different", "the reader could not be opened", "no tag answered", ...
const char* set_outcome_text(SetOutcome outcome);

// Appends printf-formatted text to the NUL-terminated text in out, cut to size.
void append_format(char* out, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The message of a read error, without file name and line ("the value ... does not fit int8").
void format_set_read_error(const SetReadError& error, char* out, size_t size);

// The stored number as a set file writes it (a software version unsigned, the others signed),
// and what a time or a software version stands for ("2023-11-14 22:13:20 UTC", "1.2.3"; empty
// for the other types).
enum { STORED_TEXT_SIZE = 32 };
void format_stored(ParamType type, int32_t value, char* out, size_t size);
void stored_meaning(ParamType type, int32_t value, char* out, size_t size);
