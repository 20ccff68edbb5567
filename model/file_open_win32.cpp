// Opening a file on Windows by its wide-character path.
#include <stdio.h>

#include "model/file_open.h"
#include "model/wide_path_win32.h"

enum { WIDE_PATH_SIZE = 1024 };

FILE* open_file(const char* path, const char* mode)
{
    wchar_t wide[WIDE_PATH_SIZE], wideMode[8];
    if (!widen_path(path, wide, WIDE_PATH_SIZE) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) <= 0)
        return nullptr;
    return _wfopen(wide, wideMode);
}
