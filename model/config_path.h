// Where "Pelox.ini" is, and the tool's own load of it.
#pragma once

// Builds "<executable's folder>Pelox.ini" (szFileName); false when it does not fit.
bool config_path(char* path, int size);

#include "model/config_load.h"

// Loads "Pelox.ini" beside the executable. False when the file cannot be read (nothing changes
// then), *outcome (may be null) saying why; true when it was read into the settings and the table.
bool load_config(ConfigLoad* outcome = nullptr);
