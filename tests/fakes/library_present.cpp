// For reader libraries of tests and benchmarks that stand in for a loaded CR95HF.dll: one of the
// reader maker's that offers none of the functions beyond the four the tool needs.
#include "tag/library_text.h"
#include "tag/reader.h"

const LibraryReport& reader_library_load()
{
    static const LibraryReport present = {};
    return present;
}

ReaderInfo reader_library_revision()
{
    return reader_info_not_offered();
}

ReaderInfo reader_firmware_revision()
{
    return reader_info_not_offered();
}

ReaderInfo reader_hardware_version()
{
    return reader_info_not_offered();
}

bool reader_simulator(char* reason, int size)
{
    if (size > 0) reason[0] = '\0';
    return false;
}
