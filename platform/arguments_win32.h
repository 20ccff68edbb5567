// A console program's arguments on Windows as UTF-8, from wmain's wide characters, so that a file
// in a folder of any name can be named on the command line.
#pragma once
#include <wchar.h>

enum { ARGUMENTS_MAX = 16, ARGUMENT_SIZE = 1024 };

// argv in UTF-8, kept in static storage; nullptr when there are more than ARGUMENTS_MAX or one
// does not fit ARGUMENT_SIZE bytes.
char** utf8_arguments(int argc, wchar_t** wargv);

// What a console program's wmain does: main with the arguments in UTF-8, or status 2 with a
// message naming the program when they do not fit.
int run_with_utf8_arguments(int argc, wchar_t** wargv, const char* program, int (*main)(int, char**));
