// Where "Pelox.ini" is, and the tool's own load of it.
#pragma once

// Builds "<executable's folder>Pelox.ini" (szFileName); false when it does not fit.
bool config_path(char* path, int size);

// Loads "Pelox.ini" beside the executable. False when the file cannot be opened (nothing
// changes then); true when it was read into the settings and the table.
bool load_config();
