// One row's value as read from the tag: its box text, its button, and the time value it shows.
#pragma once
#include <stdint.h>

#include "model/value_codec.h"

// Reads the parameter of row (0 to 19) of the current page, one block read per block its image
// touches, and shows its value, "Not set" or "No answer"; the row button is enabled only for a
// parameter that was read and may be written. True when the read succeeded: data then holds
// the stored bytes (room for IMAGE_BUFFER_SIZE). Rows without a stored value get "Unknown Type".
bool show_row_from_tag(int row, uint8_t* data);

// Empties row's value box and disables its button: nothing shown may belong to another page.
void show_row_unread(int row);

// The seconds behind the text a time row shows, when text is exactly that text: writing an
// untouched time back then stores the same value, also in the hour that the end of summer time
// repeats, where the text alone cannot tell which of two instants it names.
bool shown_time(int row, const char* text, int32_t* seconds);
