// The faults of the campaign: what can go wrong between the program and the tag, how each is set
// up in the simulator, and a model of which calls of an operation it makes fail.
#pragma once
#include <string>
#include <vector>

enum class FaultKind {
    readerAbsent,         // every reader call fails
    selectRefused,        // the protocol selection is refused
    tagAbsent,            // no tag answers any request
    connectFails,         // the n-th connect fails; the check finds the reader all the same
    connectAndCheckFail,  // the n-th connect and the check after it fail
    selectFails,          // the n-th selection fails
    requestFails,         // the n-th request fails in the library
    answerFlagged,        // the tag answers the n-th request with its error flag
    leavesField,          // n requests are answered, then the tag is gone
};

struct Fault {
    FaultKind kind;
    int n;
};

std::string describe(const Fault& fault);

// Every fault at every step of an operation that opens the reader `connects` times, selects
// `selects` times and sends `requests` requests.
std::vector<Fault> faults_for(int connects, int selects, int requests);

void inject(const Fault& fault);
// Reader present, selection allowed, tag in the field, nothing pending.
void remove_faults();

// How a request fares.
enum class Fate { ok, failed, flagged };

// Follows an operation call by call and says how each fares under the fault.
class FaultModel {
public:
    explicit FaultModel(const Fault& fault) : fault_(fault) {}
    // connect (and check), select: 0 when the reader opens, else the message of the failure.
    const char* open();
    Fate request();

private:
    bool hits(FaultKind kind, int count) const { return fault_.kind == kind && fault_.n == count; }
    Fault fault_;
    int connects_ = 0;
    int selects_ = 0;
    int requests_ = 0;
};
