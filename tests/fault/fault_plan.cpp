// Fault set-up in the simulator and the model of its effect.
#include "fault/fault_plan.h"

#include "sim/sim_tag.h"

namespace {

const char* const kNames[] = {"reader absent", "selection refused",      "tag absent",
                              "connect fails", "connect and check fail", "selection fails",
                              "request fails", "answer flagged",         "tag leaves the field after"};

}  // namespace

std::string describe(const Fault& fault)
{
    std::string text = kNames[static_cast<int>(fault.kind)];
    if (fault.kind >= FaultKind::connectFails) text += " " + std::to_string(fault.n);
    return text;
}

std::vector<Fault> faults_for(int connects, int selects, int requests)
{
    std::vector<Fault> faults = {
        {FaultKind::readerAbsent, 0}, {FaultKind::selectRefused, 0}, {FaultKind::tagAbsent, 0}};
    for (int n = 1; n <= connects; ++n) {
        faults.push_back({FaultKind::connectFails, n});
        faults.push_back({FaultKind::connectAndCheckFail, n});
    }
    for (int n = 1; n <= selects; ++n) faults.push_back({FaultKind::selectFails, n});
    for (int n = 1; n <= requests; ++n) {
        faults.push_back({FaultKind::requestFails, n});
        faults.push_back({FaultKind::answerFlagged, n});
    }
    for (int n = 0; n < requests; ++n) faults.push_back({FaultKind::leavesField, n});
    return faults;
}

void inject(const Fault& fault)
{
    switch (fault.kind) {
    case FaultKind::readerAbsent: sim_set_reader_absent(true); break;
    case FaultKind::selectRefused: sim_set_select_refused(true); break;
    case FaultKind::tagAbsent: sim_leave_field(); break;
    case FaultKind::connectFails: sim_fail_call(SIM_CONNECT, fault.n); break;
    case FaultKind::connectAndCheckFail:
        sim_fail_call(SIM_CONNECT, fault.n);
        sim_fail_call(SIM_CHECK, 1);  // the check comes only after a failed connect
        break;
    case FaultKind::selectFails: sim_fail_call(SIM_SELECT, fault.n); break;
    case FaultKind::requestFails: sim_fail_call(SIM_ANY_REQUEST, fault.n); break;
    case FaultKind::answerFlagged: sim_flag_answer(SIM_ANY_REQUEST, fault.n, SIM_ERR_OTHER); break;
    case FaultKind::leavesField: sim_leave_field_after(fault.n); break;
    }
}

void remove_faults()
{
    sim_set_reader_absent(false);
    sim_set_select_refused(false);
    sim_clear_faults();
    sim_leave_field_after(-1);
    sim_enter_field();
}

const char* FaultModel::open()
{
    bool absent = fault_.kind == FaultKind::readerAbsent;
    ++connects_;
    if (absent || hits(FaultKind::connectFails, connects_) || hits(FaultKind::connectAndCheckFail, connects_)) {
        if (absent || hits(FaultKind::connectAndCheckFail, connects_)) return " NFC connect reader error";
    }
    ++selects_;
    if (absent || fault_.kind == FaultKind::selectRefused || hits(FaultKind::selectFails, selects_))
        return "NFC select ISO error";
    return nullptr;
}

Fate FaultModel::request()
{
    int n = ++requests_;
    if (fault_.kind == FaultKind::readerAbsent || fault_.kind == FaultKind::tagAbsent) return Fate::failed;
    if (fault_.kind == FaultKind::leavesField && n > fault_.n) return Fate::failed;
    if (hits(FaultKind::requestFails, n)) return Fate::failed;
    if (hits(FaultKind::answerFlagged, n)) return Fate::flagged;
    return Fate::ok;
}
