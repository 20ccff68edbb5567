// pelox-check [PATH]: explains how the tool reads PATH (default: the Pelox.ini beside pelox-check,
// the one the tool beside it reads).
// pelox-check --reader: takes the reader library and the reader step by step as the tool does.
#include <stdio.h>
#include <string.h>

#include "checker/check_config.h"
#include "checker/reader_diagnosis.h"
#include "model/config.h"
#include "model/config_path.h"
#include "platform/path_size.h"
#include "pelox_version.h"
#include "reader_text/reader_reason.h"
#ifdef _WIN32
#include "platform/arguments_win32.h"
#include "platform/libraries.h"
#endif

namespace {

int tool_main(int argc, char** argv)
{
    reader_text_program("pelox-check");  // a library of the other word size names pelox-check64.exe
    if (argc == 2 && strcmp(argv[1], "--reader") == 0) return diagnose_reader(stdout);
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        printf("pelox-check %s\n", PELOX_VERSION_TEXT);
        return CHECK_OK;
    }
    // "/?" as Windows programs take it; no configuration file is named that.
    bool help =
        argc == 2 && (strcmp(argv[1], "-h") == 0 || strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "/?") == 0);
    if (argc > 2 || help) {
        fprintf(argc > 2 ? stderr : stdout,
                "usage: pelox-check [PATH]\n"
                "Reports how the tool reads PATH (default: the Pelox.ini beside pelox-check, as the tool reads it).\n"
                "Exit status: 0 nothing skipped, overlapping or named twice, 1 problems found, 2 file not readable.\n"
                "usage: pelox-check --reader\n"
                "Loads CR95HF.dll beside pelox-check as the tool does and tries the reader and the tag.\n"
                "Exit status: 0 all fine, or the step that failed: 10 CR95HF.dll not found, 11 not a library,\n"
                "12 a library of the other word size, 13 functions missing, 14 not loaded, 15 the reader does\n"
                "not answer, 16 ISO/IEC 15693 refused, 17 no tag, 18 block 0 not read, 19 no reader library\n"
                "in this build.\n"
                "pelox-check --version shows the version; -h, --help or /? this text.\n");
        return argc > 2 ? CHECK_UNREADABLE : CHECK_OK;
    }
    // Without a path, the file the tool beside it reads, named in full on every line, so that run
    // from another folder it never checks another file than the tool's.
    char beside[PATH_SIZE];
    if (argc < 2 && !config_path(beside, sizeof beside)) {
        fprintf(stderr, "pelox-check: error: the folder of pelox-check is too long a path\n");
        return CHECK_UNREADABLE;
    }
    int result = check_config(argc == 2 ? argv[1] : beside, file_output(stdout));
    fflush(stdout);
    return result;
}

}  // namespace

#ifdef _WIN32
// The wide-character command line, so that a path in a folder of any name arrives whole.
int wmain(int argc, wchar_t** wargv)
{
    restrict_dll_search();
    return run_with_utf8_arguments(argc, wargv, "pelox-check", tool_main);
}
#else
int main(int argc, char** argv)
{
    return tool_main(argc, argv);
}
#endif
