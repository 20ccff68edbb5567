// Faults waiting for a call: a call failing, or a request's answer flagged with an error code.
#pragma once

#include <cstdint>

#include "sim/sim_types.h"

struct SimState;

enum SimFaultType : uint8_t { SIM_FAULT_FAIL_CALL, SIM_FAULT_FLAG_ANSWER };

struct SimFault {
    SimFaultType type;
    SimKind kind;
    int remaining;  // calls of `kind` still to come; fires on the one that brings it to 0
    uint8_t code;   // error code of a flagged answer
};

// The n-th call of `kind` from now (n >= 1) fails with SIM_INJECTED; a failed request does not
// reach the tag. False when SIM_MAX_FAULTS faults are already waiting or the arguments are bad.
bool sim_fail_call(SimKind kind, int n);
// The n-th request of `kind` from now is answered with flags 0x01 and `code` instead of being
// carried out. Only request kinds (read block ... any request) can be flagged.
bool sim_flag_answer(SimKind kind, int n, uint8_t code = SIM_ERR_OTHER);
int sim_pending_faults();
void sim_clear_faults();

// Puts a fault on a state's waiting list, for the test controls and the state file alike: a call
// of `kind` failing, or (request kinds only) its answer carrying the error flag with `code`, at
// the n-th call from now. False when the arguments are bad or SIM_MAX_FAULTS faults wait.
bool sim_add_fault(SimState* s, SimFaultType type, SimKind kind, int n, uint8_t code);

// Counts one call of `kind` against the waiting faults; `request` is true for send/receive calls,
// which "any request" faults also count. Spent faults are removed.
struct SimFaultHit {
    bool fail;
    bool flag;
    uint8_t code;
};
SimFaultHit sim_advance_faults(SimKind kind, bool request);
