// Libraries on Windows: the search of the process restricted through kernel32's functions looked
// up at run time (imported, they would keep the program from starting where the system lacks
// them), and the system folder's libraries by their full path.
#include "platform/libraries_win32.h"

#include <wchar.h>

#include "platform/path_size.h"
#include "platform/wide_text_win32.h"

namespace {

HMODULE kernel32()
{
    return GetModuleHandleW(L"kernel32.dll");
}

// The system folder with its closing backslash into folder (room for size characters), and
// room kept behind it for extra characters; its length, or 0 when it does not fit.
UINT system_folder_wide(wchar_t* folder, UINT size, UINT extra)
{
    UINT room = size - 1 - extra;  // the backslash, what follows it
    UINT n = GetSystemDirectoryW(folder, room);
    if (n == 0 || n >= room) return 0;
    if (folder[n - 1] != L'\\') folder[n++] = L'\\', folder[n] = L'\0';
    return n;
}

}  // namespace

void restrict_dll_search()
{
    auto setDefault = LIBRARY_FUNCTION(kernel32(), "SetDefaultDllDirectories", SetDefaultDllDirectories);
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) return;
    auto setDirectory = LIBRARY_FUNCTION(kernel32(), "SetDllDirectoryW", SetDllDirectoryW);
    if (setDirectory != nullptr) setDirectory(L"");  // "": the current folder leaves the search
}

DWORD library_folder_flags()
{
    // AddDllDirectory came with the flags (the update KB2533623, then Windows 8): the documented
    // sign that the system takes them.
    return LIBRARY_FUNCTION(kernel32(), "AddDllDirectory", AddDllDirectory) != nullptr
               ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
               : LOAD_WITH_ALTERED_SEARCH_PATH;
}

bool system_folder(char* out, int size)
{
    wchar_t folder[PATH_SIZE];
    return system_folder_wide(folder, PATH_SIZE, 0) > 0 && narrow_path(folder, out, size);
}

HMODULE load_system_library(const wchar_t* name)
{
    wchar_t path[PATH_SIZE];
    size_t length = wcslen(name);
    UINT n = length < PATH_SIZE / 2 ? system_folder_wide(path, PATH_SIZE, static_cast<UINT>(length)) : 0;
    if (n == 0) return SetLastError(ERROR_FILENAME_EXCED_RANGE), nullptr;
    wcscpy(path + n, name);
    return LoadLibraryW(path);
}
