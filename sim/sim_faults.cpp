// Injected faults that fire at the n-th call of a kind: a failing call or an answer with the
// error flag. Counted down rather than matched against the counters, so clearing the counters
// or reloading a state file does not move them.
#include "sim/sim_faults.h"

#include "sim/sim_core.h"

bool sim_add_fault(SimState* s, SimFaultType type, SimKind kind, int n, uint8_t code)
{
    bool requestKind = kind >= SIM_READ_BLOCK && kind <= SIM_ANY_REQUEST;
    if (kind < 0 || kind >= SIM_KIND_COUNT || n < 1 || s->faultCount == SIM_MAX_FAULTS) return false;
    if (type == SIM_FAULT_FLAG_ANSWER && !requestKind) return false;  // only a request has an answer to flag
    s->faults[s->faultCount++] = SimFault{type, kind, n, code};
    return true;
}

bool sim_fail_call(SimKind kind, int n)
{
    return sim_add_fault(&simState, SIM_FAULT_FAIL_CALL, kind, n, 0);
}

bool sim_flag_answer(SimKind kind, int n, uint8_t code)
{
    return sim_add_fault(&simState, SIM_FAULT_FLAG_ANSWER, kind, n, code);
}

int sim_pending_faults()
{
    return simState.faultCount;
}

void sim_clear_faults()
{
    simState.faultCount = 0;
}

SimFaultHit sim_advance_faults(SimKind kind, bool request)
{
    SimFaultHit hit{false, false, 0};
    int kept = 0;
    for (int i = 0; i < simState.faultCount; ++i) {
        SimFault f = simState.faults[i];
        bool counts = f.kind == kind || (request && f.kind == SIM_ANY_REQUEST);
        if (counts) {
            sim_mark_changed();
            if (--f.remaining == 0) {
                if (f.type == SIM_FAULT_FAIL_CALL) {
                    hit.fail = true;
                } else if (!hit.flag) {
                    hit.flag = true;
                    hit.code = f.code;
                }
                continue;
            }
        }
        simState.faults[kept++] = f;
    }
    simState.faultCount = kept;
    return hit;
}
