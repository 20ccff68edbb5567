// Finding CR95HF.dll where the tool loads it from, and judging the file found there.
#pragma once
#include <stdint.h>

#include "tag/library_file.h"

// inspect_library for a file, whose path goes into the report; notFound when it cannot be opened.
void inspect_library_file(const char* path, uint16_t machine, LibraryReport* report);

// CR95HF.dll as the tool takes it: from the program's folder, else from the system folder (each
// ending in its separator, or null when unknown). A usable file comes back with fault none; else
// the first file found says why it cannot be used; if there is none, notFound.
void find_reader_library(const char* programFolder, const char* systemFolder, uint16_t machine, LibraryReport* report);
