// The one widening of the program's bytes into the characters a window shows, for every
// control, caption, tooltip and result window of the dialog.
#pragma once
#include "dialog/text_code.h"

// Widens text into wide (room for size characters) in the code text_code gives it. Returns the
// number of characters without the NUL, or -1 when they do not fit (wide is "" then).
int widen_text(TextOrigin origin, const char* text, wchar_t* wide, int size);
