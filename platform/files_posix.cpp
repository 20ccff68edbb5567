// Files on the disk, on Linux: paths are bytes, as the system takes them.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_faults.h"
#include "platform/files.h"

namespace {

// The folder that holds path, so that the rename is itself on the disk.
void sync_folder_of(const char* path)
{
    char folder[FILE_PATH_SIZE];
    snprintf(folder, sizeof folder, "%s", path);
    char* slash = strrchr(folder, '/');
    if (slash == nullptr) snprintf(folder, sizeof folder, ".");
    else slash[slash == folder ? 1 : 0] = '\0';
    int fd = open(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

void give_up(FileReplacement* r)
{
    if (r->handle >= 0) close(static_cast<int>(r->handle));
    r->handle = -1;
    unlink(r->temporary);
    r->failed = true;
}

int descriptor(const FileReplacement* r)
{
    return static_cast<int>(r->handle);
}

}  // namespace

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

bool is_folder(const char* path)
{
    struct stat s;
    return stat(path, &s) == 0 && S_ISDIR(s.st_mode);
}

bool file_exists(const char* path)
{
    struct stat s;
    return stat(path, &s) == 0;
}

bool replacement_begin(FileReplacement* r, const char* path)
{
    if (!replacement_target(r, path)) return false;
    snprintf(r->temporary, sizeof r->temporary, "%s.XXXXXX", path);
    int fd = mkstemp(r->temporary);
    if (fd < 0) return r->failed = true, false;
    r->handle = fd;
    return true;
}

bool replacement_write(FileReplacement* r, const char* bytes, size_t length)
{
    if (r->failed) return false;
    while (length > 0) {
        ssize_t n = file_step_fails(FileStep::write) ? -1 : write(descriptor(r), bytes, length);
        if (n <= 0) return give_up(r), false;
        bytes += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

bool replacement_commit(FileReplacement* r)
{
    if (r->failed) return false;
    int fd = descriptor(r);
    // A new file gets the permissions a plain fopen would give it, not mkstemp's owner-only ones.
    mode_t mask = umask(0);
    umask(mask);
    struct stat old;
    fchmod(fd, stat(r->target, &old) == 0 ? old.st_mode & 07777 : 0666 & ~mask);
    if (file_step_fails(FileStep::flush) || fsync(fd) != 0) return give_up(r), false;
    r->handle = -1;
    if (close(fd) != 0 || file_step_fails(FileStep::move) || rename(r->temporary, r->target) != 0) {
        unlink(r->temporary);
        return r->failed = true, false;
    }
    sync_folder_of(r->target);
    return true;
}

bool append_line_whole(FILE* file, const char* line)
{
    if (fflush(file) != 0 || fseek(file, 0, SEEK_END) != 0) return false;
    long before = ftell(file);
    size_t length = strlen(line);
    int fd = fileno(file);
    // Straight to the descriptor: one write, not what the stream's buffer makes of it.
    ssize_t n = before < 0 || file_step_fails(FileStep::write) ? -1 : write(fd, line, length);
    if (n == static_cast<ssize_t>(length) && !file_step_fails(FileStep::flush) && fsync(fd) == 0) return true;
    if (before >= 0 && !file_step_fails(FileStep::truncate) && ftruncate(fd, before) == 0) fsync(fd);
    return false;
}

bool cut_file(FILE* file, long size)
{
    return fflush(file) == 0 && ftruncate(fileno(file), size) == 0 && fsync(fileno(file)) == 0 &&
           fseek(file, 0, SEEK_END) == 0;
}

FileLockOutcome lock_file_exclusive(FileLock* lock, const char* path, bool wait)
{
    lock->file = nullptr;
    int fd = open(path, O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return FileLockOutcome::failed;
    struct flock whole = {};  // from the first byte to the end, however far the file grows
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(fd, wait ? F_SETLKW : F_SETLK, &whole) != 0) {
        bool held = errno == EACCES || errno == EAGAIN || errno == EINTR;
        close(fd);
        return held ? FileLockOutcome::busy : FileLockOutcome::failed;
    }
    lock->file = fdopen(fd, "a+b");
    if (lock->file != nullptr) return FileLockOutcome::locked;
    close(fd);
    return FileLockOutcome::failed;
}

void unlock_file(FileLock* lock)
{
    if (lock->file == nullptr) return;
    fflush(lock->file);
    struct flock whole = {};
    whole.l_type = F_UNLCK;
    whole.l_whence = SEEK_SET;
    fcntl(fileno(lock->file), F_SETLK, &whole);
    fclose(lock->file);
    lock->file = nullptr;
}
