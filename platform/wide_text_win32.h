// Paths at the Windows edge: the program's UTF-8 paths as the wide characters every Windows call
// takes, and back.
#pragma once
#include <windows.h>

// UTF-8, or where that is not valid the ANSI code page, into wide characters; false when it does
// not fit size characters with its NUL.
bool widen_path(const char* path, wchar_t* out, int size);
// Wide characters into UTF-8; false when it does not fit size bytes with its NUL.
bool narrow_path(const wchar_t* path, char* out, int size);
