// Full path of the running executable on Linux, for the native builds of the tools.
#include "platform/module_path.h"

#include <unistd.h>

bool module_path(char* buf, int size)
{
    if (size <= 0) return false;
    ssize_t n = readlink("/proc/self/exe", buf, static_cast<size_t>(size));
    if (n <= 0 || n >= size) return false;
    buf[n] = '\0';
    return true;
}
