// For reader libraries of tests and benchmarks that stand in for a loaded CR95HF.dll.
#include "tag/reader.h"

const LibraryReport& reader_library_load()
{
    static const LibraryReport present = {};
    return present;
}
