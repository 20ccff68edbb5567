// Finding CR95HF.dll where the tool loads it from, and judging the file found there.
#include "tag/library_search.h"

#include <stdio.h>
#include <string.h>

#include "platform/files.h"

namespace {

const char kLibraryName[] = "CR95HF.dll";

bool read_file(void* context, uint32_t offset, uint8_t* out, uint32_t count)
{
    FILE* file = static_cast<FILE*>(context);
    // fseek takes a long, 32 bits on Windows: farther offsets lie beyond any reader library.
    if (offset > 0x7FFFFFFFu || fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return fread(out, 1, count, file) == count;
}

// "<folder>CR95HF.dll"; false when it does not fit.
bool library_path(const char* folder, char (&path)[LIBRARY_PATH_SIZE])
{
    int n = snprintf(path, sizeof path, "%s%s", folder, kLibraryName);
    return n > 0 && static_cast<size_t>(n) < sizeof path;
}

}  // namespace

void inspect_library_file(const char* path, uint16_t machine, LibraryReport* report)
{
    snprintf(report->path, sizeof report->path, "%s", path);
    report->machine = 0;
    report->missing = 0;
    report->systemError = 0;
    FILE* file = open_file(path, "rb");
    if (file == nullptr) {
        report->fault = LibraryFault::notFound;
        return;
    }
    ByteSource source = {read_file, file};
    inspect_library(source, machine, report);
    fclose(file);
}

void find_reader_library(const char* programFolder, const char* systemFolder, uint16_t machine, LibraryReport* report)
{
    const char* folders[] = {programFolder, systemFolder};
    bool problem = false;
    for (const char* folder : folders) {
        char path[LIBRARY_PATH_SIZE];
        if (folder == nullptr || !library_path(folder, path)) continue;
        LibraryReport candidate;
        inspect_library_file(path, machine, &candidate);
        // A usable library wins; otherwise the first one found is the one to mend.
        if (candidate.fault == LibraryFault::none || (!problem && candidate.fault != LibraryFault::notFound)) {
            *report = candidate;
            if (candidate.fault == LibraryFault::none) return;
            problem = true;
        }
    }
    if (problem) return;
    *report = LibraryReport{};
    report->fault = LibraryFault::notFound;
    snprintf(report->path, sizeof report->path, "%s", programFolder != nullptr ? programFolder : "");
}
