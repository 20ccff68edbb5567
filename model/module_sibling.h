// Files beside the running executable: the configuration and the reader library live there.
#pragma once

// "<folder of the running executable><name>" ("Pelox.ini", "CR95HF.dll"); false when the
// executable's path is unknown or the result does not fit size characters with its NUL.
bool module_sibling_path(const char* name, char* path, int size);
