// Full path of the running executable on Windows.
#include "model/module_path.h"

#include <windows.h>

bool module_path(char* buf, int size)
{
    if (size <= 0) return false;
    DWORD n = GetModuleFileNameA(nullptr, buf, static_cast<DWORD>(size));
    // A path that fills the buffer has been cut short.
    return n > 0 && n < static_cast<DWORD>(size);
}
