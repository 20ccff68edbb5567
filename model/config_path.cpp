// Where "Pelox.ini" is: the folder of the running executable.
#include <string.h>

#include "model/config.h"
#include "model/module_path.h"

bool config_path(char* path, int size)
{
    static const char kFileName[] = "Pelox.ini";
    if (!module_path(path, size)) return false;
    char* cut = strrchr(path, '\\');
#ifndef _WIN32
    char* slash = strrchr(path, '/');
    if (slash > cut) cut = slash;
#endif
    if (cut == nullptr) return false;
    size_t folder = static_cast<size_t>(cut + 1 - path);
    if (folder + sizeof kFileName > static_cast<size_t>(size)) return false;
    memcpy(path + folder, kFileName, sizeof kFileName);
    return true;
}

bool load_config()
{
    char szFileName[CONFIG_PATH_SIZE];
    if (!config_path(szFileName, sizeof szFileName)) return false;
    return load_config_file(szFileName, nullptr);
}
