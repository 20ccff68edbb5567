// A production or verifying station's log on the disk: opened for appending only when it is a
// log of this kind (or new), and searched for what earlier rows say: a tag done already, the
// last number given. The CRC by which rows name the set file.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include "tagtool/log_csv.h"

// CRC-32 of the file's bytes; false when it cannot be read.
bool file_crc32(const char* path, uint32_t* crc);

// The log for appending and reading: a new or empty one gets the header row; one whose first row
// is not that header is refused and left as it is; a last row a stopped run left without its line
// end gets one. Null after saying why on err.
FILE* open_production_log(const char* path, FILE* out, FILE* err);

// The first produce row recording uid as ok with the set's CRC (8 hexadecimal digits). Rows that
// cannot be read are passed over: none of them can be taken for a device known to be done.
bool find_done(FILE* log, uint64_t uid, const char* setCrc, LogRow* found);

// The highest number of the parameter name in the rows of command (run_kind_word).
enum class NumberSearch { found, none, malformed };
NumberSearch highest_number(FILE* log, const char* command, const char* name, int64_t* highest, int* line);
