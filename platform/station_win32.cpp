// The computer's name on Windows: the NetBIOS name, as wide characters turned into UTF-8.
#include <windows.h>

#include <stdio.h>

#include "platform/station.h"

void station_name(char* out, size_t size)
{
    if (size == 0) return;
    wchar_t wide[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    char name[4 * (MAX_COMPUTERNAME_LENGTH + 1)];
    if (!GetComputerNameW(wide, &length) || length == 0 ||
        WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length) + 1, name, sizeof name, nullptr, nullptr) == 0)
        snprintf(name, sizeof name, "unknown");
    snprintf(out, size, "%s", name);
}
