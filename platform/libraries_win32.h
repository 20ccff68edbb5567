// Libraries on Windows: loaded by a full path only, and their functions looked up with the type of
// the declaration they stand for, so that the compiler checks every call through them.
#pragma once
#include <windows.h>

#include <type_traits>

#include "platform/libraries.h"

// The flags that load a library by its full path with its dependencies from its own folder or
// the system folder: LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32 where the
// system knows them, else LOAD_WITH_ALTERED_SEARCH_PATH.
DWORD library_folder_flags();

// The system folder with its closing backslash, in UTF-8; false when it does not fit size bytes.
bool system_folder(char* out, int size);
// One of the system's own libraries ("comdlg32.dll") from the system folder by its full path;
// nullptr, with the system's error for GetLastError, when it cannot be loaded.
HMODULE load_system_library(const wchar_t* name);

// What a library exports a function as: its name, or its ordinal.
inline LPCSTR library_export(const char* name)
{
    return name;
}
inline LPCSTR library_export(int ordinal)
{
    return MAKEINTRESOURCEA(ordinal);
}

// The function module exports as entry, as a Function; nullptr when module is nullptr or does not
// export it. Called through LIBRARY_FUNCTION, which takes Function from a declaration.
template <typename Function>
Function library_function(HMODULE module, LPCSTR entry)
{
    static_assert(std::is_function<std::remove_pointer_t<Function>>::value, "a pointer to a function");
    FARPROC found = module != nullptr ? GetProcAddress(module, entry) : nullptr;
    // Through the generic function pointer type, which every function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)(void)>(found));
}

// The function exported as nameOrOrdinal, typed as declared is declared (a system header's
// prototype or one of the program's own): a pointer of another type does not take it, and every
// call through it has its arguments checked against that declaration, as if it were imported.
#define LIBRARY_FUNCTION(module, nameOrOrdinal, declared)                                                              \
    library_function<decltype(&declared)>(module, library_export(nameOrOrdinal))
