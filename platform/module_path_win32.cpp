// Full path of the running executable on Windows, in UTF-8: a folder of any name, also one
// outside the ANSI code page, comes back whole.
#include "platform/module_path.h"
#include "platform/path_size.h"
#include "platform/wide_text_win32.h"

bool module_path(char* buf, int size)
{
    if (size <= 0) return false;
    wchar_t wide[PATH_SIZE];
    DWORD n = GetModuleFileNameW(nullptr, wide, PATH_SIZE);
    // A path that fills the buffer has been cut short.
    return n > 0 && n < PATH_SIZE && narrow_path(wide, buf, size);
}
