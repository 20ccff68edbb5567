// Opening a file on Windows by its wide-character path.
#include <io.h>
#include <stdio.h>

#include "model/file_open.h"
#include "model/path_size.h"
#include "model/wide_path_win32.h"

FILE* open_file(const char* path, const char* mode)
{
    wchar_t wide[PATH_SIZE], wideMode[8];
    if (!widen_path(path, wide, PATH_SIZE) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) <= 0)
        return nullptr;
    return _wfopen(wide, wideMode);
}

FILE* open_file_to_read(const char* path, FileOpen* why)
{
    wchar_t wide[PATH_SIZE];
    if (!widen_path(path, wide, PATH_SIZE)) return *why = FileOpen::missing, nullptr;
    FILE* file = _wfopen(wide, L"rb");
    if (file == nullptr) {
        DWORD attributes = GetFileAttributesW(wide);
        DWORD error = GetLastError();
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            *why = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileOpen::notAFile : FileOpen::unreadable;
        } else {
            *why = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileOpen::missing
                                                                                  : FileOpen::unreadable;
        }
        return nullptr;
    }
    // A device (CON, COM1) opens like a file; only a file on a disk holds a configuration.
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        fclose(file);
        *why = FileOpen::notAFile;
        return nullptr;
    }
    *why = FileOpen::ok;
    return file;
}
