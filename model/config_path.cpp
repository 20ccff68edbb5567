// Where "Pelox.ini" is: the folder of the running executable.
#include "model/config_path.h"

#include "model/config.h"
#include "model/config_load.h"
#include "model/module_sibling.h"

bool config_path(char* path, int size)
{
    return module_sibling_path("Pelox.ini", path, size);
}

bool load_config(ConfigLoad* outcome)
{
    char szFileName[CONFIG_PATH_SIZE];
    if (config_path(szFileName, sizeof szFileName)) return load_config_file(szFileName, nullptr, outcome);
    if (outcome != nullptr) *outcome = ConfigLoad::pathTooLong;
    return false;
}
