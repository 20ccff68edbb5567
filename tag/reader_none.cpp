// The reader library of a build that has none (the native console tools): CR95HF.dll is a
// Windows library, so every operation fails and the report says why.
#include "tag/reader.h"

const LibraryReport& reader_library_load()
{
    static const LibraryReport none = {LibraryFault::unsupported, 0, 0, 0, ""};
    return none;
}

int reader_connect()
{
    return -1;
}

int reader_check()
{
    return -1;
}

int reader_select(const char*, char* answer)
{
    answer[0] = '\0';
    return -1;
}

int reader_send_receive(const char*, char* answer)
{
    answer[0] = '\0';
    return -1;
}

ReaderInfo reader_library_revision()
{
    return ReaderInfo{ReaderInfoKind::notOffered, 0, ""};
}

ReaderInfo reader_firmware_revision()
{
    return ReaderInfo{ReaderInfoKind::notOffered, 0, ""};
}

ReaderInfo reader_hardware_version()
{
    return ReaderInfo{ReaderInfoKind::notOffered, 0, ""};
}

bool reader_simulator(char* reason, int size)
{
    if (size > 0) reason[0] = '\0';
    return false;
}
