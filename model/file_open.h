// Opening a file by a path as the program holds paths: UTF-8 (on Windows a path that is not
// valid UTF-8 is taken in the ANSI code page), so that a folder of any name works.
#pragma once
#include <stdio.h>

// fopen with such a path; mode as fopen's ("rb", "a+b").
FILE* open_file(const char* path, const char* mode);

// Why a file could not be opened for reading.
enum class FileOpen { ok, missing, notAFile, unreadable };
// Opens a file that holds bytes for reading ("rb"): a folder, a device or a pipe is refused as
// notAFile, so that nothing is taken for an empty file or read for ever. *why says what happened.
FILE* open_file_to_read(const char* path, FileOpen* why);
