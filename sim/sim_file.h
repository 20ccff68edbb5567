// The simulator kept in a state file, as the stand-in CR95HF.dll keeps it beside itself and the
// native pelox-tag beside its executable: the file is read at every connect, so that a person or
// a test may edit it between two runs, and written back after every change.
#pragma once

// The state file's path (copied); null or empty keeps the state in memory only.
void sim_file_use(const char* path);

// The reader library's four operations on the state in that file.
int sim_file_connect();
int sim_file_check();
int sim_file_select(const char* command, char* answer);
int sim_file_send_receive(const char* command, char* answer);
