// Opening a file on Linux: paths are bytes, as the system takes them.
#include "model/file_open.h"

FILE* open_file(const char* path, const char* mode)
{
    return fopen(path, mode);
}
