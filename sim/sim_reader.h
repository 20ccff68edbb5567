// The reader library's four operations on the simulated tag, and an action a test arms between
// requests.
#pragma once

#include "sim/sim_types.h"

// `answer` needs room for SIM_ANSWER_SIZE chars.
int sim_reader_connect();
int sim_reader_check();
int sim_reader_select(const char* command, char* answer);
int sim_reader_send_receive(const char* command, char* answer);

// The next n requests are answered, then action runs before the one after them: a test swaps
// the tag in the field there, for example. Not kept in the state file; n < 0 disarms it.
void sim_before_request(int n, void (*action)());
