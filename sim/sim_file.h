// The simulator kept in a state file, as the stand-in CR95HF.dll keeps it beside itself and the
// native pelox-tag beside its executable: the file is read at every handle check, so that a
// person or a test may edit it between two runs, and written back after every change.
#pragma once

#include <cstddef>

// The state file's UTF-8 path (copied); null or empty keeps the state in memory only. A path
// that does not fit SIM_PATH_SIZE is a file that cannot be read.
void sim_file_use(const char* path);

// The reader library's operations on the state in that file. A file that cannot be read or
// written fails each of them with SIM_TAG_FILE (exchanges answer "8700") rather than let a
// factory tag stand in for it; the library's revision is answered all the same.
int sim_file_connect();
int sim_file_check();
int sim_file_select(const char* command, char* answer);
int sim_file_send_receive(const char* command, char* answer);
int sim_file_library_revision(char* text);
int sim_file_firmware(char* text);
int sim_file_hardware(char* text);

// Why the last operation failed with SIM_TAG_FILE: "the simulated tag file cannot be read: PATH"
// or "... cannot be written: PATH"; "" while the file serves. Cut to size - 1 bytes at a
// character's start; returns the length of the whole text.
size_t sim_file_fault(char* text, size_t size);
