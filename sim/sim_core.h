// The simulator's whole state as one plain record, shared by its own files (tag, reader, state
// file); tests and the stand-in DLL go through sim_tag.h instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/sim_tag.h"

enum SimFaultType : uint8_t { SIM_FAULT_FAIL_CALL, SIM_FAULT_FLAG_ANSWER };

struct SimFault {
    SimFaultType type;
    SimKind kind;
    int remaining;  // calls of `kind` still to come; fires on the one that brings it to 0
    uint8_t code;   // error code of a flagged answer
};

struct SimState {
    // the tag
    uint64_t uid;
    uint8_t dsfid;
    uint8_t afi;
    uint8_t icReference;
    int blockCount;
    uint8_t memory[SIM_MAX_BLOCKS * SIM_BLOCK_SIZE];
    uint32_t passwords[SIM_PASSWORDS + 1];  // index 0 unused
    uint8_t sectors[SIM_SECTORS];
    unsigned granted;  // bit n: password n presented
    bool inField;
    // the reader and the faults
    bool readerAbsent;
    bool selectRefused;
    int leaveAfter;  // requests still answered before the tag leaves; -1 when not armed
    unsigned delayUs;
    SimFault faults[SIM_MAX_FAULTS];
    int faultCount;
};

extern SimState simState;

// Puts a fault on a state's waiting list, for the test controls and the state file alike: a call
// of `kind` failing, or (request kinds only) its answer carrying the error flag with `code`, at
// the n-th call from now. False when the arguments are bad or SIM_MAX_FAULTS faults wait.
bool sim_add_fault(SimState* s, SimFaultType type, SimKind kind, int n, uint8_t code);

// Factory-fresh tag in the field, reader present, no faults, no delay; log and counters untouched.
void sim_factory_state(SimState* s);
void sim_mark_changed();

// Sector security status bits.
enum {
    SIM_SECTOR_LOCKED = 0x01,
    SIM_SECTOR_ACCESS_SHIFT = 1,    // 2 bits
    SIM_SECTOR_PASSWORD_SHIFT = 3,  // 2 bits
    SIM_SECTOR_STATUS_MASK = 0x1F,
};

// The tag's reply to one request (flags byte and payload), without the reader's framing.
// Returns the reply length, or 0 when the tag stays silent.
size_t sim_tag_execute(const uint8_t* request, size_t length, uint8_t* reply);
enum { SIM_REPLY_MAX = 16, SIM_REQUEST_MAX = 24 };

// ISO/IEC 15693 frame CRC (reflected polynomial 0x8408, preset 0xFFFF, complemented).
uint16_t sim_crc16(const uint8_t* data, size_t length);

// Request kind from the command byte of a request text (chars 2-3); SIM_ANY_REQUEST if none.
SimKind sim_request_kind(const char* text);
void sim_log_add(SimKind kind, const char* text);
void sim_count_call(SimKind kind);

// Value of an uppercase hexadecimal digit, -1 for anything else (requests are strict).
inline int sim_hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Counts one call of `kind` against the waiting faults; `request` is true for send/receive calls,
// which "any request" faults also count. Spent faults are removed.
struct SimFaultHit {
    bool fail;
    bool flag;
    uint8_t code;
};
SimFaultHit sim_advance_faults(SimKind kind, bool request);
