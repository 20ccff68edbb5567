// Opening a file by a path as the program holds paths: UTF-8 (on Windows a path that is not
// valid UTF-8 is taken in the ANSI code page), so that a folder of any name works.
#pragma once
#include <stdio.h>

// fopen with such a path; mode as fopen's ("rb", "a+b").
FILE* open_file(const char* path, const char* mode);
