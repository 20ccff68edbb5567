// The reader library's operations on the simulated tag, and an action a test arms between
// requests.
#pragma once

#include "sim/sim_types.h"

// Named as the program calls them. sim_reader_connect is the library's USB handle check
// (ordinal 16): SIM_NOT_CONNECTED until sim_reader_check, the USB connect (ordinal 13), has
// opened the handle, then 0 while the reader is there. The selection and the requests do not
// look at the handle.
int sim_reader_connect();
int sim_reader_check();
// `answer` needs room for SIM_ANSWER_SIZE chars.
int sim_reader_select(const char* command, char* answer);
int sim_reader_send_receive(const char* command, char* answer);

// The texts of ordinals 8, 11 and 17; `text` needs room for SIM_INFO_SIZE chars. The library's
// revision ("Pelox simulator 1.3.0") is always there; the reader's firmware revision and hardware
// version need the USB handle open, and fail as the handle check does, with an empty text.
int sim_reader_library_revision(char* text);
int sim_reader_firmware(char* text);
int sim_reader_hardware(char* text);

// The next n requests are answered, then action runs before the one after them: a test swaps
// the tag in the field there, for example. Not kept in the state file; n < 0 disarms it.
void sim_before_request(int n, void (*action)());
