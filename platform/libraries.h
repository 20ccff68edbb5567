// Where Windows may look for the libraries a program and its libraries load: never the current
// folder or PATH, which may hold anything (Downloads, a share, a folder of another tool).
#pragma once

// First thing in every Windows program: later loads search the system folder only (and, for a
// library loaded by its full path with reader_library_flags(), that library's own folder).
// Where the system cannot restrict the search (Windows 7 without its update KB2533623), the
// current folder is at least taken out of it.
void restrict_dll_search();

// The flags that load CR95HF.dll by its full path with its dependencies from its own folder or
// the system folder: LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32 where the
// system knows them, else LOAD_WITH_ALTERED_SEARCH_PATH.
unsigned long reader_library_flags();
