// Paths at the Windows edge: UTF-8 (or ANSI) to wide characters and back.
#include <windows.h>

#include "platform/wide_text_win32.h"

bool widen_path(const char* path, wchar_t* out, int size)
{
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, out, size) > 0) return true;
    return MultiByteToWideChar(CP_ACP, 0, path, -1, out, size) > 0;
}

bool narrow_path(const wchar_t* path, char* out, int size)
{
    return WideCharToMultiByte(CP_UTF8, 0, path, -1, out, size, nullptr, nullptr) > 0;
}
