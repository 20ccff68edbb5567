// Names between double quotes with \" \\ \n \r \t and \xNN for the other control characters, so
// that any name stays on one line of a report or a set file and reads back exactly.
#pragma once
#include <stddef.h>

#include "model/param_table.h"

// Room for the quoted form of any name of the table: every character escaped to four, the quotes
// and the NUL.
enum { QUOTED_TEXT_SIZE = 4 * (PARAM_TEXT_SIZE - 1) + 3 };

// Writes text quoted into out (size at least 3). A text too long for out is cut before the
// escape that does not fit, and the quote is still closed; false then.
bool quote_text(const char* text, char* out, size_t size);

// Reads a quoted text at from (its opening quote) into out, and sets *end just after the closing
// quote. False for a missing quote, an unknown escape, \x00, a raw control character, or a text
// longer than size - 1 characters.
bool unquote_text(const char* from, const char** end, char* out, size_t size);
