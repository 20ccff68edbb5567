// Set files and logs on the disk, on Windows: wide-character calls, so that a folder of any name
// works; the path is taken as UTF-8 when it is valid UTF-8, otherwise in the ANSI code page.
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "model/wide_path_win32.h"
#include "sets/set_file.h"

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

}  // namespace

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
        if (!WriteFile(handle_of(r), bytes, piece, &written, nullptr) || written == 0) return give_up(r), false;
        bytes += written;
        length -= written;
    }
    return true;
}

bool replacement_commit(FileReplacement* r)
{
    if (r->failed) return false;
    wchar_t from[PATH_SIZE + TEMPORARY_SUFFIX_SIZE], to[PATH_SIZE];
    if (!FlushFileBuffers(handle_of(r)) || !widen_path(r->target, to, PATH_SIZE)) return give_up(r), false;
    bool closed = CloseHandle(handle_of(r)) != 0;
    r->handle = -1;
    widen_path(r->temporary, from, PATH_SIZE + TEMPORARY_SUFFIX_SIZE);
    if (!closed || !MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
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
    int n = before < 0 ? -1 : _write(fd, line, length);
    if (n == static_cast<int>(length) && _commit(fd) == 0) return true;
    if (before >= 0 && _chsize(fd, before) == 0) _commit(fd);
    return false;
}
