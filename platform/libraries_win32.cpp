// Restricting the library search of the process, through kernel32's functions looked up at run
// time: imported, they would keep the program from starting where the system lacks them.
#include "platform/libraries.h"

#include <windows.h>

namespace {

typedef BOOL(WINAPI* SetDefaultDirectories)(DWORD flags);
typedef BOOL(WINAPI* SetDirectory)(const wchar_t* folder);

FARPROC kernel32_function(const char* name)
{
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    return kernel32 != nullptr ? GetProcAddress(kernel32, name) : nullptr;
}

}  // namespace

void restrict_dll_search()
{
    // Through the generic function pointer type, which every function pointer converts to.
    auto setDefault = reinterpret_cast<SetDefaultDirectories>(
        reinterpret_cast<void (*)(void)>(kernel32_function("SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0) return;
    auto setDirectory =
        reinterpret_cast<SetDirectory>(reinterpret_cast<void (*)(void)>(kernel32_function("SetDllDirectoryW")));
    if (setDirectory != nullptr) setDirectory(L"");  // "": the current folder leaves the search
}

unsigned long reader_library_flags()
{
    // AddDllDirectory came with the flags (the update KB2533623, then Windows 8): the documented
    // sign that the system takes them.
    return kernel32_function("AddDllDirectory") != nullptr
               ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
               : LOAD_WITH_ALTERED_SEARCH_PATH;
}
