// Full path of the running executable, and of the files that live beside it. module_path has
// one definition per platform; tests supply their own.
#pragma once

// Writes the path into buf; false when it cannot be found or does not fit.
bool module_path(char* buf, int size);

// "<folder of the running executable><name>" ("Pelox.ini", "CR95HF.dll"); false when the
// executable's path is unknown or the result does not fit size characters with its NUL.
bool module_sibling_path(const char* name, char* path, int size);
