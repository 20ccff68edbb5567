// The simulator's files on Windows: the UTF-8 path turned into UTF-16 for _wfopen, so that no
// code page stands between the tag file and a folder named in any script.
#include <windows.h>

#include <cerrno>

#include "sim/sim_open.h"
#include "sim/sim_types.h"

FILE* sim_open(const char* path, const char* mode)
{
    // A UTF-8 path never takes fewer bytes than UTF-16 units, so SIM_PATH_SIZE units hold any
    // path the simulator keeps.
    wchar_t widePath[SIM_PATH_SIZE];
    wchar_t wideMode[8];
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, widePath, SIM_PATH_SIZE);
    size_t m = 0;
    for (; mode[m] && m + 1 < sizeof wideMode / sizeof wideMode[0]; ++m) wideMode[m] = (wchar_t)(unsigned char)mode[m];
    wideMode[m] = L'\0';
    if (n <= 0 || mode[m]) {
        errno = EINVAL;
        return nullptr;
    }
    return _wfopen(widePath, wideMode);
}
