// pelox-tag [--config PATH] read | save FILE | compare FILE | apply FILE |
//           produce FILE --log LOG [--count N]
#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/text_number.h"
#include "pelox_version.h"
#ifdef _WIN32
#include "model/arguments_win32.h"
#endif
#include "tagtool/commands.h"

namespace {

const char kUsage[] =
    "usage: pelox-tag [--config PATH] COMMAND\n"
    "  read                                every parameter of every page, as the window shows it\n"
    "  save FILE [--force]                 the tag's parameters into a new set file (--force: replace a set)\n"
    "  compare FILE                        the tag against a set file\n"
    "  apply FILE                          the set written to the tag, verified\n"
    "  produce FILE --log LOG [--count N]  the set written to every new tag placed on the reader\n"
    "The configuration is Pelox.ini beside pelox-tag unless --config names another.\n"
    "Exit status: 0 ok; 1 different, or a parameter or device failed; 2 bad command line, configuration,\n"
    "set file, output file or log; 3 no reader, no tag, or a block not read (nothing written).\n"
    "pelox-tag --version shows the version; -h, --help or /? this text.\n";

int usage(FILE* to, int status)
{
    fputs(kUsage, to);
    return status;
}

struct Produce {
    const char* log;
    int count;
};

// "--log LOG" and "--count N" in any order.
bool produce_options(int argc, char** argv, int first, Produce* options)
{
    for (int i = first; i < argc; i += 2) {
        if (i + 1 >= argc) return false;
        int32_t count = 0;
        if (strcmp(argv[i], "--log") == 0 && options->log == nullptr) options->log = argv[i + 1];
        else if (strcmp(argv[i], "--count") == 0 && scan_whole_decimal(argv[i + 1], &count) == NumberScan::ok &&
                 count > 0 && options->count == 0)
            options->count = count;
        else return false;
    }
    return options->log != nullptr;
}

}  // namespace

namespace {

int tool_main(int argc, char** argv)
{
    int first = 1;
    const char* config = nullptr;
    if (argc > 2 && strcmp(argv[1], "--config") == 0) {
        config = argv[2];
        first = 3;
    }
    if (argc <= first) return usage(stderr, TAG_BAD_INPUT);
    const char* command = argv[first];
    if (strcmp(command, "-h") == 0 || strcmp(command, "--help") == 0 || strcmp(command, "/?") == 0)
        return usage(stdout, TAG_OK);
    if (strcmp(command, "--version") == 0) {
        printf("pelox-tag %s\n", PELOX_VERSION_TEXT);
        return TAG_OK;
    }
    int arguments = argc - first - 1;
    Produce options = {nullptr, 0};
    bool force = strcmp(command, "save") == 0 && arguments == 2 && strcmp(argv[first + 2], "--force") == 0;
    bool known =
        (strcmp(command, "read") == 0 && arguments == 0) ||
        ((strcmp(command, "save") == 0 || strcmp(command, "compare") == 0 || strcmp(command, "apply") == 0) &&
         arguments == 1) ||
        force ||
        (strcmp(command, "produce") == 0 && arguments >= 1 && produce_options(argc, argv, first + 2, &options));
    if (!known) return usage(stderr, TAG_BAD_INPUT);

    bool loaded = config != nullptr ? load_config_file(config, nullptr) : load_config();
    if (!loaded) {
        fprintf(stderr, "%s: error: cannot read the configuration\n", config != nullptr ? config : "Pelox.ini");
        return TAG_BAD_INPUT;
    }
    const char* file = argv[first + 1];
    int status = TAG_BAD_INPUT;
    if (strcmp(command, "read") == 0) status = command_read(stdout, stderr);
    else if (strcmp(command, "save") == 0) status = command_save(file, force, stdout, stderr);
    else if (strcmp(command, "compare") == 0) status = command_compare(file, stdout, stderr);
    else if (strcmp(command, "apply") == 0) status = command_apply(file, stdout, stderr);
    else status = command_produce(file, options.log, options.count, stdout, stderr);
    fflush(stdout);
    return status;
}

}  // namespace

#ifdef _WIN32
// The wide-character command line, so that a path in a folder of any name arrives whole.
int wmain(int argc, wchar_t** wargv)
{
    return run_with_utf8_arguments(argc, wargv, "pelox-tag", tool_main);
}
#else
int main(int argc, char** argv)
{
    return tool_main(argc, argv);
}
#endif
