// Text at the Windows edge: UTF-8 (or ANSI) to wide characters and back.
#include <limits.h>
#include <windows.h>

#include "platform/wide_text_win32.h"

int widen_text(const char* text, bool utf8, wchar_t* wide, size_t size)
{
    int room = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    if (room == 0) return -1;  // a room of 0 would only ask for the length
    int n = utf8 ? MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, room) : 0;
    if (n <= 0) n = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, room);
    if (n <= 0) wide[0] = L'\0';
    return n - 1;
}

bool widen_path(const char* path, wchar_t* out, int size)
{
    return size > 0 && widen_text(path, true, out, static_cast<size_t>(size)) >= 0;
}

bool narrow_path(const wchar_t* path, char* out, int size)
{
    return WideCharToMultiByte(CP_UTF8, 0, path, -1, out, size, nullptr, nullptr) > 0;
}
