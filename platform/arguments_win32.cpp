// wmain's arguments turned into UTF-8 in fixed storage.
#include "platform/arguments_win32.h"

#include <stdio.h>

#include "platform/wide_text_win32.h"

namespace {
char text[ARGUMENTS_MAX][ARGUMENT_SIZE];
char* pointers[ARGUMENTS_MAX + 1];
}  // namespace

char** utf8_arguments(int argc, wchar_t** wargv)
{
    if (argc < 0 || argc > ARGUMENTS_MAX) return nullptr;
    for (int i = 0; i < argc; ++i) {
        if (!narrow_path(wargv[i], text[i], ARGUMENT_SIZE)) return nullptr;
        pointers[i] = text[i];
    }
    pointers[argc] = nullptr;
    return pointers;
}

int run_with_utf8_arguments(int argc, wchar_t** wargv, const char* program, int (*main)(int, char**))
{
    char** argv = utf8_arguments(argc, wargv);
    if (argv != nullptr) {
        // What the tools print is UTF-8 (paths, names of a UTF-8 Pelox.ini): a console shows it
        // so while they run, and gets its own code page back afterwards.
        UINT page = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        int status = main(argc, argv);
        fflush(stdout);
        if (page != 0) SetConsoleOutputCP(page);
        return status;
    }
    fprintf(stderr, "%s: error: too many or too long arguments\n", program);
    return 2;
}
