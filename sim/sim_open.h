// Opening the simulator's files by a UTF-8 path: on Windows by its wide-character form, so that
// the tag file may sit in a folder of any name.
#pragma once

#include <cstdio>

// As fopen; null with errno set when the file cannot be opened (ENOENT when it is not there).
FILE* sim_open(const char* path, const char* mode);
