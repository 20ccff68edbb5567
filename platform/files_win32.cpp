// Files on the disk, on Windows: wide-character calls, so that a folder of any name works; the
// path is taken as UTF-8 when it is valid UTF-8, otherwise in the ANSI code page.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>

#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/wide_text_win32.h"

namespace {

DWORD attributes(const char* path)
{
    wchar_t wide[PATH_SIZE];
    return widen_path(path, wide, PATH_SIZE) ? GetFileAttributesW(wide) : INVALID_FILE_ATTRIBUTES;
}

HANDLE handle_of(const FileReplacement* r)
{
    return reinterpret_cast<HANDLE>(r->handle);
}

void give_up(FileReplacement* r)
{
    if (r->handle != -1) CloseHandle(handle_of(r));
    r->handle = -1;
    wchar_t wide[PATH_SIZE + TEMPORARY_SUFFIX_SIZE];
    if (widen_path(r->temporary, wide, PATH_SIZE + TEMPORARY_SUFFIX_SIZE)) DeleteFileW(wide);
    r->failed = true;
}

// What replacement_begin puts after "TARGET": ".~" and four hexadecimal digits.
bool is_temporary_suffix(const wchar_t* s)
{
    if (s[0] != L'.' || s[1] != L'~' || wcslen(s) != 6) return false;
    for (int i = 2; i < 6; ++i)
        if (!((s[i] >= L'0' && s[i] <= L'9') || (s[i] >= L'A' && s[i] <= L'F'))) return false;
    return true;
}

// A save killed between making its temporary file and the move leaves that file behind; the next
// save to the same target deletes it. A save in progress holds its temporary file open, shared
// with nobody, so that only a dead one's can be deleted.
void remove_stale_temporaries(const char* target)
{
    wchar_t path[PATH_SIZE + TEMPORARY_SUFFIX_SIZE];
    if (!widen_path(target, path, PATH_SIZE)) return;
    size_t folder = wcslen(path);
    while (folder > 0 && path[folder - 1] != L'\\' && path[folder - 1] != L'/' && path[folder - 1] != L':') --folder;
    int length = static_cast<int>(wcslen(path) - folder);
    if (length == 0) return;  // a path ending in a separator names no file
    wcscat(path, L".~*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern matches short names too, and the file system ignores case: the name in full.
        const wchar_t* name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || static_cast<int>(wcslen(name)) < length ||
            CompareStringOrdinal(name, length, path + folder, length, TRUE) != CSTR_EQUAL ||
            !is_temporary_suffix(name + length) || folder + wcslen(name) >= PATH_SIZE + TEMPORARY_SUFFIX_SIZE)
            continue;
        wchar_t stale[PATH_SIZE + TEMPORARY_SUFFIX_SIZE];
        wmemcpy(stale, path, folder);
        wcscpy(stale + folder, name);
        DeleteFileW(stale);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

FILE* open_file(const char* path, const char* mode)
{
    wchar_t wide[PATH_SIZE], wideMode[8];
    if (!widen_path(path, wide, PATH_SIZE) || MultiByteToWideChar(CP_UTF8, 0, mode, -1, wideMode, 8) <= 0)
        return nullptr;
    return _wfopen(wide, wideMode);
}

FILE* open_file_to_read(const char* path, FileOpen* why)
{
    wchar_t wide[PATH_SIZE];
    if (!widen_path(path, wide, PATH_SIZE)) return *why = FileOpen::missing, nullptr;
    FILE* file = _wfopen(wide, L"rb");
    if (file == nullptr) {
        DWORD attributes = GetFileAttributesW(wide);
        DWORD error = GetLastError();
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            *why = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileOpen::notAFile : FileOpen::unreadable;
        } else {
            *why = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileOpen::missing
                                                                                  : FileOpen::unreadable;
        }
        return nullptr;
    }
    // A device (CON, COM1) opens like a file; only a file on a disk holds a configuration.
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        fclose(file);
        *why = FileOpen::notAFile;
        return nullptr;
    }
    *why = FileOpen::ok;
    return file;
}

bool is_folder(const char* path)
{
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool file_exists(const char* path)
{
    return attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool replacement_begin(FileReplacement* r, const char* path)
{
    if (!replacement_target(r, path)) return false;
    remove_stale_temporaries(path);
    DWORD seed = GetTickCount() ^ GetCurrentProcessId() << 8;
    for (int attempt = 0; attempt < 100; ++attempt) {
        snprintf(r->temporary, sizeof r->temporary, "%s.~%04lX", path,
                 static_cast<unsigned long>((seed + static_cast<DWORD>(attempt)) & 0xFFFF));
        wchar_t wide[PATH_SIZE + TEMPORARY_SUFFIX_SIZE];
        if (!widen_path(r->temporary, wide, PATH_SIZE + TEMPORARY_SUFFIX_SIZE)) break;
        HANDLE h = CreateFileW(wide, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            r->handle = reinterpret_cast<intptr_t>(h);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    r->temporary[0] = '\0';
    return r->failed = true, false;
}

bool replacement_write(FileReplacement* r, const char* bytes, size_t length)
{
    if (r->failed) return false;
    while (length > 0) {
        DWORD piece = length > 65536 ? 65536 : static_cast<DWORD>(length), written = 0;
        if (file_step_fails(FileStep::write) || !WriteFile(handle_of(r), bytes, piece, &written, nullptr) ||
            written == 0)
            return give_up(r), false;
        bytes += written;
        length -= written;
    }
    return true;
}

bool replacement_commit(FileReplacement* r)
{
    if (r->failed) return false;
    wchar_t from[PATH_SIZE + TEMPORARY_SUFFIX_SIZE], to[PATH_SIZE];
    if (file_step_fails(FileStep::flush) || !FlushFileBuffers(handle_of(r)) || !widen_path(r->target, to, PATH_SIZE))
        return give_up(r), false;
    bool closed = CloseHandle(handle_of(r)) != 0;
    r->handle = -1;
    widen_path(r->temporary, from, PATH_SIZE + TEMPORARY_SUFFIX_SIZE);
    if (!closed || file_step_fails(FileStep::move) ||
        !MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(from);
        return r->failed = true, false;
    }
    return true;
}

bool append_line_whole(FILE* file, const char* line)
{
    if (fflush(file) != 0 || fseek(file, 0, SEEK_END) != 0) return false;
    long before = ftell(file);
    unsigned length = static_cast<unsigned>(strlen(line));
    int fd = _fileno(file);
    // Straight to the descriptor: one write, not what the stream's buffer makes of it.
    int n = before < 0 || file_step_fails(FileStep::write) ? -1 : _write(fd, line, length);
    if (n == static_cast<int>(length) && !file_step_fails(FileStep::flush) && _commit(fd) == 0) return true;
    if (before >= 0 && !file_step_fails(FileStep::truncate) && _chsize(fd, before) == 0) _commit(fd);
    return false;
}

bool cut_file(FILE* file, long size)
{
    return fflush(file) == 0 && _chsize(_fileno(file), size) == 0 && _commit(_fileno(file)) == 0 &&
           fseek(file, 0, SEEK_END) == 0;
}

FileLockOutcome lock_file_exclusive(FileLock* lock, const char* path, bool wait)
{
    lock->file = nullptr;
    wchar_t wide[PATH_SIZE];
    if (!widen_path(path, wide, PATH_SIZE)) return FileLockOutcome::failed;
    // Shared for reading and writing: the lock, not the opening, keeps other stations out.
    HANDLE h = CreateFileW(wide, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION ? FileLockOutcome::sharingViolation : FileLockOutcome::failed;
    OVERLAPPED whole = {};  // from the first byte on, as far as a file can reach
    DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (!LockFileEx(h, flags, 0, MAXDWORD, MAXDWORD, &whole)) {
        bool held = GetLastError() == ERROR_LOCK_VIOLATION;
        CloseHandle(h);
        return held ? FileLockOutcome::busy : FileLockOutcome::failed;
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_APPEND);
    lock->file = fd < 0 ? nullptr : _fdopen(fd, "a+b");
    if (lock->file != nullptr) return FileLockOutcome::locked;
    if (fd >= 0) _close(fd);  // and with it the handle, and the lock
    else CloseHandle(h);
    return FileLockOutcome::failed;
}

void unlock_file(FileLock* lock)
{
    if (lock->file == nullptr) return;
    fflush(lock->file);
    OVERLAPPED whole = {};
    UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(lock->file))), 0, MAXDWORD, MAXDWORD, &whole);
    fclose(lock->file);
    lock->file = nullptr;
}
