// Where Windows may look for the libraries a program and its libraries load: never the current
// folder or PATH, which may hold anything (Downloads, a share, a folder of another tool).
#pragma once

// First thing in every Windows program: later loads search the system folder only (and, for a
// library loaded by its full path with library_folder_flags(), that library's own folder).
// Where the system cannot restrict the search (Windows 7 without its update KB2533623), the
// current folder is at least taken out of it.
void restrict_dll_search();
