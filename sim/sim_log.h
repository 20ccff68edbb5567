// The request log and the call counters, and the names of the call kinds.
#pragma once

#include "sim/sim_types.h"

int sim_log_count();
const char* sim_log_entry(int i);  // "" when i is out of range
SimKind sim_log_kind(int i);       // SIM_SELECT or the request's kind (SIM_ANY_REQUEST if unknown)
long sim_log_dropped();            // requests not logged because the log was full
void sim_clear_log();
long sim_calls(SimKind kind);
void sim_clear_counters();
const char* sim_kind_name(SimKind kind);  // "read_block", ...; "" for a bad kind
bool sim_kind_from_name(const char* name, SimKind* kind);

// For the simulator's own files: the kind of a request text, logging a request, counting a call.
// Request kind from the command byte of a request text (chars 2-3); SIM_ANY_REQUEST if none.
SimKind sim_request_kind(const char* text);
void sim_log_add(SimKind kind, const char* text);
void sim_count_call(SimKind kind);
