// Opening a file on Linux: paths are bytes, as the system takes them.
#include <errno.h>
#include <sys/stat.h>

#include "model/file_open.h"

FILE* open_file(const char* path, const char* mode)
{
    return fopen(path, mode);
}

FILE* open_file_to_read(const char* path, FileOpen* why)
{
    errno = 0;
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        *why = errno == ENOENT || errno == ENOTDIR ? FileOpen::missing : FileOpen::unreadable;
        return nullptr;
    }
    struct stat about;
    if (fstat(fileno(file), &about) != 0 || !S_ISREG(about.st_mode)) {
        fclose(file);
        *why = FileOpen::notAFile;
        return nullptr;
    }
    *why = FileOpen::ok;
    return file;
}
