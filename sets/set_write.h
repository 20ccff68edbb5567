// Writing a set file, whole or not at all, and what a path to save to names now.
#pragma once
#include <stddef.h>

#include "sets/param_set.h"

// Where a written set goes, a piece at a time; write gives false when the piece was not taken.
struct SetOutput {
    void* context;
    bool (*write)(void* context, const char* bytes, size_t length);
};
// The header, one line an entry and the end line "end 26 entries".
bool write_param_set(const ParamSet& set, const SetOutput& out);
// Writes the file whole or not at all: a new file beside it, on the disk, then moved over it; on
// any failure the file that was there stays as it was.
bool write_param_set_file(const char* path, const ParamSet& set);

// What a path to save to names now: nothing, a parameter set (its first line says so), a folder,
// or some other file, which a save must never replace (Pelox.ini, a program, a text).
enum class SetTarget { absent, set, folder, other };
SetTarget set_target(const char* path);
