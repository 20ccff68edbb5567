// The simulator's whole state as one plain record, shared by its own files (tag, reader, state
// file); tests and the stand-in DLL go through sim_tag.h instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/sim_faults.h"
#include "sim/sim_tag.h"

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
    bool usbOpen;  // the library's USB handle: opened by the USB connect, closed when the reader goes
    bool selectRefused;
    int leaveAfter;        // requests still answered before the tag leaves; -1 when not armed
    int conveyor;          // tags still to come after this one on a line of tags; -1 when there is no line
    bool conveyorWritten;  // the tag on the line has been written: the next identification finds the next
    unsigned delayUs;
    SimFault faults[SIM_MAX_FAULTS];
    int faultCount;
};

extern SimState simState;

// Sector security status bits.
enum {
    SIM_SECTOR_LOCKED = 0x01,
    SIM_SECTOR_ACCESS_SHIFT = 1,    // 2 bits
    SIM_SECTOR_PASSWORD_SHIFT = 3,  // 2 bits
    SIM_SECTOR_STATUS_MASK = 0x1F,
};

// Value of an uppercase hexadecimal digit, -1 for anything else (requests are strict).
inline int sim_hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
