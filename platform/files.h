// Files on the disk, the platform's part: a file opened by its path, a folder told from a file,
// a file replaced whole or not at all, a line appended whole or not at all, a file locked against
// every other process. Paths are as the program holds them (UTF-8, or on Windows the ANSI code
// page when they are not valid UTF-8), so that a folder of any name works.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "platform/path_size.h"

enum {
    FILE_PATH_SIZE = PATH_SIZE,
    TEMPORARY_SUFFIX_SIZE = 16,  // ".~XXXX" after the target's name, with room to spare
};

// fopen with such a path; mode as fopen's ("rb", "a+b").
FILE* open_file(const char* path, const char* mode);

// Why a file could not be opened for reading.
enum class FileOpen { ok, missing, notAFile, unreadable };
// Opens a file that holds bytes for reading ("rb"): a folder, a device or a pipe is refused as
// notAFile, so that nothing is taken for an empty file or read for ever. *why says what happened.
FILE* open_file_to_read(const char* path, FileOpen* why);

bool is_folder(const char* path);
bool file_exists(const char* path);

// A new file written beside the target under a name of its own, flushed to the disk and only then
// moved over the target in one step. Until the commit the target is as it was; a failure at any
// point removes the new file and leaves the target untouched. A process killed before the move
// leaves its new file (TARGET.XXXXXX, on Windows TARGET.~XXXX); replacement_begin removes those of
// its target that no replacement in progress holds, and no other file.
struct FileReplacement {
    intptr_t handle;  // a file descriptor, or on Windows a HANDLE; -1 while none is open
    char temporary[FILE_PATH_SIZE + TEMPORARY_SUFFIX_SIZE];
    char target[FILE_PATH_SIZE];
    bool failed;
};
bool replacement_begin(FileReplacement* r, const char* path);
// The part of replacement_begin that is the same everywhere: r emptied, the target taken; false
// (and r failed) when the path is empty or too long.
inline bool replacement_target(FileReplacement* r, const char* path)
{
    *r = FileReplacement{-1, "", "", false};
    size_t length = strlen(path);
    if (length == 0 || length >= sizeof r->target) return r->failed = true, false;
    memcpy(r->target, path, length + 1);
    return true;
}
bool replacement_write(FileReplacement* r, const char* bytes, size_t length);
bool replacement_commit(FileReplacement* r);

// Appends line (with its line end) to a file open for appending and reading, in one write, and has
// the system put it on the disk. When any of it fails the file is cut back to its size before,
// so a log never keeps half a line.
bool append_line_whole(FILE* file, const char* line);

// Cuts a file open for appending and reading back to size bytes and has the system put that on
// the disk: a production log's row cut off by a stopped run goes, the rows before it stay.
bool cut_file(FILE* file, long size);

// A whole file locked against every other process until unlock_file: the one way for stations
// that share a file to take turns. The file is made when it is not there, and file is the locked
// file open for reading and appending: read and write it through that stream, for on Windows the
// lock refuses every other handle, this process's own among them, and on POSIX closing any other
// descriptor of the file in this process would drop the lock.
struct FileLock {
    FILE* file;  // nullptr while nothing is locked
};
enum class FileLockOutcome {
    locked,
    busy,              // another process holds the lock (or, waiting, a signal ended the wait)
    sharingViolation,  // Windows: another program has the file open and shares it with nobody
    failed,            // the file cannot be opened or made (no such folder, no permission, ...)
};
// wait: until the lock is free; otherwise busy at once when it is held.
FileLockOutcome lock_file_exclusive(FileLock* lock, const char* path, bool wait);
// Releases the lock and closes its stream; a lock that holds nothing is left alone.
void unlock_file(FileLock* lock);
