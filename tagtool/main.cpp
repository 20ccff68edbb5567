// pelox-tag [--config PATH] read | save FILE | compare FILE | apply FILE [--dry-run] |
//           produce FILE --log LOG [--count N] [--number NAME=FIRST[,STEP]] [--again] |
//           verify FILE --log LOG [--count N] [--number NAME] [--production-log PLOG]
#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/config_load.h"
#include "model/config_path.h"
#include "platform/path_size.h"
#include "model/text_number.h"
#include "pelox_version.h"
#include "reader_text/reader_info.h"
#include "reader_text/reader_reason.h"
#ifdef _WIN32
#include "platform/arguments_win32.h"
#include "platform/libraries.h"
#endif
#include "tagtool/commands.h"
#include "tagtool/dry_run.h"
#include "tagtool/produce_command.h"

namespace {

const char kUsage[] =
    "usage: pelox-tag [--config PATH] COMMAND\n"
    "  read                                every parameter of every page, as the window shows it\n"
    "  save FILE [--force]                 the tag's parameters into a new set file (--force: replace a set)\n"
    "  compare FILE                        the tag against a set file\n"
    "  apply FILE [--dry-run]              the set written to the tag, verified (--dry-run: what it would do)\n"
    "  produce FILE --log LOG [--count N] [--number NAME=FIRST[,STEP]] [--again] [--semicolons]\n"
    "                                      the set written to every new tag placed on the reader, NAME\n"
    "                                      numbered per device (NAME=continue: after the log's highest)\n"
    "                                      (--semicolons: a new LOG separates its fields with ';')\n"
    "  verify FILE --log LOG [--count N] [--number NAME] [--production-log PLOG] [--semicolons]\n"
    "                                      every new tag compared with the set, nothing written; NAME\n"
    "                                      as the production log PLOG records it for the tag's UID\n"
    "The configuration is Pelox.ini beside pelox-tag unless --config names another.\n"
    "Exit status: 0 ok; 1 different, or a parameter or device failed; 2 bad command line, configuration,\n"
    "set file, output file or log; 3 no reader, no tag, or a block not read (nothing written).\n"
    "pelox-tag --version shows the version; -h, --help or /? this text.\n";

int usage(FILE* to, int status)
{
    fputs(kUsage, to);
    return status;
}

// "--log LOG", "--count N", "--number NAME=FIRST[,STEP]", "--semicolons" and for produce "--again",
// in any order.
bool production_options(int argc, char** argv, int first, ProductionOptions* o)
{
    for (int i = first; i < argc; ++i) {
        if (strcmp(argv[i], "--again") == 0 && !o->verify && !o->again) {
            o->again = true;
            continue;
        }
        if (strcmp(argv[i], "--semicolons") == 0 && !o->semicolons) {
            o->semicolons = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        int32_t count = 0;
        const char* value = argv[++i];
        if (strcmp(argv[i - 1], "--log") == 0 && o->log == nullptr) o->log = value;
        else if (strcmp(argv[i - 1], "--number") == 0 && o->number == nullptr) o->number = value;
        else if (strcmp(argv[i - 1], "--production-log") == 0 && o->verify && o->productionLog == nullptr)
            o->productionLog = value;
        else if (strcmp(argv[i - 1], "--count") == 0 && scan_whole_decimal(value, &count) == NumberScan::ok &&
                 count > 0 && o->count == 0)
            o->count = count;
        else return false;
    }
    return o->log != nullptr;
}

// One limit for every path the tool takes: beyond it Windows could not be given the file, and
// the failure further down would name another reason (a disk full, a file missing).
bool path_fits(const char* path, const char* what)
{
    if (path == nullptr || strlen(path) < PATH_SIZE) return true;
    fprintf(stderr, "pelox-tag: error: %s: too long a path (at most %d bytes)\n", what, PATH_SIZE - 1);
    return false;
}

}  // namespace

namespace {

int tool_main(int argc, char** argv)
{
    reader_text_program("pelox-tag");  // a library of the other word size names pelox-tag64.exe
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
    bool verify = strcmp(command, "verify") == 0;
    ProductionOptions options = {argv[first + 1], nullptr, 0, nullptr, false, nullptr, false, verify};
    bool force = strcmp(command, "save") == 0 && arguments == 2 && strcmp(argv[first + 2], "--force") == 0;
    bool dryRun = strcmp(command, "apply") == 0 && arguments == 2 && strcmp(argv[first + 2], "--dry-run") == 0;
    bool known = (strcmp(command, "read") == 0 && arguments == 0) ||
                 ((strcmp(command, "save") == 0 || strcmp(command, "compare") == 0 || strcmp(command, "apply") == 0) &&
                  arguments == 1) ||
                 force || dryRun ||
                 ((strcmp(command, "produce") == 0 || verify) && arguments >= 1 &&
                  production_options(argc, argv, first + 2, &options));
    if (!known) return usage(stderr, TAG_BAD_INPUT);
    if (!path_fits(config, "--config") || !path_fits(arguments > 0 ? argv[first + 1] : nullptr, "FILE") ||
        !path_fits(options.log, "--log") || !path_fits(options.productionLog, "--production-log"))
        return TAG_BAD_INPUT;

    ConfigLoad outcome = ConfigLoad::read;
    bool loaded = config != nullptr ? load_config_file(config, nullptr, &outcome) : load_config(&outcome);
    const char* configName = config != nullptr ? config : "Pelox.ini";
    // Not to be mistaken for a Pelox.ini that is not there: it may well be.
    if (!loaded && outcome == ConfigLoad::pathTooLong) {
        fprintf(stderr, "pelox-tag: error: the folder of pelox-tag is too long a path\n");
        return TAG_BAD_INPUT;
    }
    if (!loaded) {
        fprintf(stderr, "%s: error: cannot read the configuration\n", configName);
        return TAG_BAD_INPUT;
    }
    // Every command from here on opens the reader: a run on the simulator never passes for one on
    // a real reader.
    char notice[READER_INFO_TEXT_SIZE];
    if (simulator_notice(notice, sizeof notice)) fprintf(stderr, "%s\n", notice);
    const char* file = argv[first + 1];
    int status = TAG_BAD_INPUT;
    if (strcmp(command, "read") == 0) status = command_read(configName, stdout, stderr);
    else if (strcmp(command, "save") == 0) status = command_save(file, force, stdout, stderr);
    else if (strcmp(command, "compare") == 0) status = command_compare(file, stdout, stderr);
    else if (dryRun) status = command_dry_run(file, stdout, stderr);
    else if (strcmp(command, "apply") == 0) status = command_apply(file, stdout, stderr);
    else status = command_produce(options, stdout, stderr);
    fflush(stdout);
    return status;
}

}  // namespace

#ifdef _WIN32
// The wide-character command line, so that a path in a folder of any name arrives whole.
int wmain(int argc, wchar_t** wargv)
{
    restrict_dll_search();
    return run_with_utf8_arguments(argc, wargv, "pelox-tag", tool_main);
}
#else
int main(int argc, char** argv)
{
    return tool_main(argc, argv);
}
#endif
