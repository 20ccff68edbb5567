// Files on the disk, on Linux: paths are bytes, as the system takes them.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_faults.h"
#include "platform/files.h"

namespace {

// The folder that holds path ("." for a bare name); the name within it is at the returned offset.
size_t folder_of(const char* path, char* folder, size_t size)
{
    snprintf(folder, size, "%s", path);
    char* slash = strrchr(folder, '/');
    if (slash == nullptr) return snprintf(folder, size, "."), 0;
    size_t name = static_cast<size_t>(slash - folder) + 1;
    slash[slash == folder ? 1 : 0] = '\0';
    return name;
}

// The folder that holds path, so that the rename is itself on the disk.
void sync_folder_of(const char* path)
{
    char folder[FILE_PATH_SIZE];
    folder_of(path, folder, sizeof folder);
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

// What mkstemp puts after "TARGET": a dot and six letters or digits.
bool is_temporary_suffix(const char* s)
{
    if (s[0] != '.' || strlen(s) != 7) return false;
    for (int i = 1; i < 7; ++i)
        if (!((s[i] >= 'a' && s[i] <= 'z') || (s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= '0' && s[i] <= '9')))
            return false;
    return true;
}

// A save killed between making its temporary file and the move leaves that file behind; the next
// save to the same target removes it. A save in progress holds its temporary file locked, so that
// only a dead one's is taken.
void remove_stale_temporaries(const char* target)
{
    char folder[FILE_PATH_SIZE];
    const char* name = target + folder_of(target, folder, sizeof folder);
    size_t length = strlen(name);
    DIR* dir = length > 0 ? opendir(folder) : nullptr;  // a path ending in a slash names no file
    if (dir == nullptr) return;
    while (const dirent* entry = readdir(dir)) {
        if (strncmp(entry->d_name, name, length) != 0 || !is_temporary_suffix(entry->d_name + length)) continue;
        int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat about;
        if (fstat(fd, &about) == 0 && S_ISREG(about.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlinkat(dirfd(dir), entry->d_name, 0);
        close(fd);
    }
    closedir(dir);
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
    remove_stale_temporaries(path);
    snprintf(r->temporary, sizeof r->temporary, "%s.XXXXXX", path);
    int fd = mkstemp(r->temporary);
    if (fd < 0) return r->failed = true, false;
    // Where locks are not kept (some network folders) a stale file stays rather than a live one going.
    flock(fd, LOCK_EX | LOCK_NB);
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
