// A production or verifying station's log on the disk, which stations on one folder share: every
// look at it is taken under an exclusive lock of the whole file, and reads on from where the last
// look ended, so that what any station wrote since is known before a decision. A row cut off by a
// stopped run is cut back; any other row that cannot be read stops the run, named by its line.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include "platform/files.h"
#include "tagtool/log_csv.h"

// CRC-32 of the file's bytes, the set's name in rows of version 1.2.0; false when it cannot be read.
bool file_crc32(const char* path, uint32_t* crc);

struct ProductionLog {
    const char* path;
    LogFormat format;
    long offset;  // the end of the last whole row read
    int line;     // the lines up to offset
    FileLock lock;
};

// Opens the log and reads every row into the index (tagtool/log_index.h): a new or empty log gets
// the header row (separator ',' or ';'); one whose header row is not ours is refused and left as
// it is. False after saying why on err; the log is not locked afterwards.
bool open_production_log(ProductionLog* log, const char* path, char separator, FILE* out, FILE* err);

// Locks the log, waiting while another station or program holds it (saying so once on out when
// that takes longer than a moment), and reads into the index what was appended since. With
// interruptible a stop request (Ctrl+C) ends the waiting. False after saying why, not locked.
bool lock_production_log(ProductionLog* log, bool interruptible, FILE* out, FILE* err);
// Under the lock: the row appended whole and on the disk.
bool append_log_row(ProductionLog* log, const char* row);
void unlock_production_log(ProductionLog* log);
