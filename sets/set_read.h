// Reading a set file: any problem leaves the set empty and says where and why.
#pragma once
#include <stddef.h>

#include "model/byte_stream.h"
#include "sets/param_set.h"

// The set file on any byte source (ByteStream, as the configuration loader reads). On any
// problem the set is left empty (count 0) and error says where and why: nothing of a malformed
// file can be applied.
bool read_param_set(const ByteStream& source, ParamSet* set, SetReadError* error);
bool read_param_set_text(const char* bytes, size_t length, ParamSet* set, SetReadError* error);
// False with problem none and line 0 when the file cannot be opened; isFolder for a folder.
bool read_param_set_file(const char* path, ParamSet* set, SetReadError* error);
