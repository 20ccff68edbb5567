// Text at the Windows edge: the program's bytes as the wide characters every Windows call takes
// (paths, the window's texts), and a path back into UTF-8. One widening with one fallback.
#pragma once
#include <stddef.h>
#include <windows.h>

// text into wide (room for size characters with the NUL): as UTF-8 when utf8 is asked and the
// bytes are UTF-8 throughout, otherwise in the ANSI code page. Returns the number of characters
// without the NUL, or -1 when they do not fit (wide is "" then).
int widen_text(const char* text, bool utf8, wchar_t* wide, size_t size);
// A path: UTF-8, or where that is not valid the ANSI code page; false when it does not fit size
// characters with its NUL.
bool widen_path(const char* path, wchar_t* out, int size);
// Wide characters into UTF-8; false when it does not fit size bytes with its NUL.
bool narrow_path(const wchar_t* path, char* out, int size);
