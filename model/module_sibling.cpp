// Files beside the running executable: the configuration and the reader library live there.
#include "model/module_sibling.h"

#include <string.h>

#include "platform/module_path.h"

bool module_sibling_path(const char* name, char* path, int size)
{
    if (!module_path(path, size)) return false;
    char* cut = strrchr(path, '\\');
#ifndef _WIN32
    char* slash = strrchr(path, '/');
    if (slash > cut) cut = slash;
#endif
    if (cut == nullptr) return false;
    size_t folder = static_cast<size_t>(cut + 1 - path);
    size_t length = strlen(name) + 1;
    if (folder + length > static_cast<size_t>(size)) return false;
    memcpy(path + folder, name, length);
    return true;
}
