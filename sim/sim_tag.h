// Simulated NFC reader with an ISO/IEC 15693 tag in its field: the test-facing controls of the tag
// and the field. The one header tests and the stand-in CR95HF.dll include: it brings the waiting
// faults (sim/sim_faults.h), the request log (sim/sim_log.h) and the four reader-library entry
// points (sim/sim_reader.h) with it.
#pragma once

#include <cstdint>

#include "sim/sim_faults.h"
#include "sim/sim_log.h"
#include "sim/sim_reader.h"
#include "sim/sim_types.h"

// Factory-fresh tag in the field (all memory 0xFF, passwords 0, sectors unlocked, 256 blocks,
// SIM_DEFAULT_UID), reader present with its USB handle closed, no faults, no delay, log and
// counters cleared. The simulator starts in this state.
void sim_reset();

// ---- the tag
void sim_set_uid(uint64_t uid);
uint64_t sim_uid();
void sim_set_system_info(uint8_t dsfid, uint8_t afi, uint8_t icReference);
bool sim_set_block_count(int blocks);  // 1 to SIM_MAX_BLOCKS
int sim_block_count();
// Raw memory by byte address, whatever the block count and the protection.
bool sim_write_memory(int address, const uint8_t* data, int count);
bool sim_read_memory(int address, uint8_t* out, int count);
// One block's 4 bytes as a number, byte 0 most significant (as in a read answer).
uint32_t sim_block(int block);
bool sim_set_block(int block, uint32_t value);
bool sim_set_password(int number, uint32_t value);
uint32_t sim_password(int number);
bool sim_set_sector_status(int sector, uint8_t status);
uint8_t sim_sector_status(int sector);
// Bit n set when password n has been presented since the tag entered the field.
unsigned sim_granted_passwords();

// ---- the field
void sim_enter_field();
void sim_leave_field();  // clears granted rights
bool sim_in_field();
// The next n requests are answered, then the tag leaves the field and stays out until
// sim_enter_field(); n = 0 makes the next request find no tag.
void sim_leave_field_after(int n);

// ---- the reader
// Every entry point fails with SIM_NO_READER while the reader is absent, and its going closes the
// USB handle: once back, it answers the handle check only after a USB connect.
void sim_set_reader_absent(bool absent);
bool sim_reader_absent();
// The library's USB handle: opened by the USB connect (ordinal 13, sim_reader_check), closed by
// the reader going and by sim_reset(); not kept in the state file.
bool sim_usb_open();
void sim_set_select_refused(bool refused);
bool sim_select_refused();

// ---- reader timing: charged on every select and send/receive call (busy wait)
void sim_set_delay_us(unsigned microseconds);
unsigned sim_delay_us();

// True once since the last call when the tag's memory, passwords, sectors, field or the
// waiting faults changed (the stand-in DLL saves its state file then).
bool sim_take_changed();

// For the simulator's own files.
struct SimState;
// Factory-fresh tag in the field, reader present, handle closed, no faults, no delay; log and
// counters untouched.
void sim_factory_state(SimState* s);
void sim_mark_changed();
