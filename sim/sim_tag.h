// Simulated NFC reader with an ISO/IEC 15693 tag in its field: the test-facing controls and the
// four reader-library entry points that tests and the stand-in CR95HF.dll forward to.
#pragma once

#include <cstdint>

enum {
    SIM_MAX_BLOCKS = 256,  // block numbers in requests are one byte
    SIM_BLOCK_SIZE = 4,
    SIM_SECTOR_BLOCKS = 32,
    SIM_SECTORS = SIM_MAX_BLOCKS / SIM_SECTOR_BLOCKS,
    SIM_PASSWORDS = 3,     // password numbers 1 to 3
    SIM_ANSWER_SIZE = 52,  // answers are at most 51 characters and a NUL
    SIM_LOG_CAPACITY = 4096,
    SIM_LOG_TEXT_SIZE = 64,  // longer request texts are logged cut to 63 characters
    SIM_MAX_FAULTS = 16,
};

// The factory tag's UID: 0xE0, IC manufacturer code 0x02, then a serial number.
constexpr uint64_t SIM_DEFAULT_UID = 0xE002A1B2C3D4E5F6ull;

// What a call is counted as, and what a fault is aimed at. "Any request" counts every
// send/receive call, whatever its command; protocol selection is not a request.
enum SimKind {
    SIM_CONNECT,
    SIM_CHECK,
    SIM_SELECT,
    SIM_READ_BLOCK,
    SIM_WRITE_BLOCK,
    SIM_SYSTEM_INFO,
    SIM_PRESENT_PASSWORD,
    SIM_WRITE_PASSWORD,
    SIM_LOCK_SECTOR,
    SIM_ANY_REQUEST,
    SIM_KIND_COUNT
};

// Results of the reader entry points: 0 is success, every other value comes with the answer
// "8700" (no frame received).
enum SimResult {
    SIM_OK = 0,
    SIM_NO_READER = 1,    // reader absent
    SIM_REFUSED = 2,      // protocol selection refused or not ISO/IEC 15693 ("010D")
    SIM_NO_TAG = 3,       // nothing answered: tag out of the field, or a custom command for another maker
    SIM_INJECTED = 4,     // a call failed on purpose (sim_fail_call)
    SIM_BAD_REQUEST = 5,  // request text empty, odd length, not uppercase hex, or too long
};

// ISO/IEC 15693 error codes the tag answers with (flags byte 0x01, then the code).
enum {
    SIM_ERR_OTHER = 0x0F,
    SIM_ERR_NO_BLOCK = 0x10,
    SIM_ERR_ALREADY_LOCKED = 0x11,
    SIM_ERR_WRITE_LOCKED = 0x12,
    SIM_ERR_WRITE_FAILED = 0x13,
    SIM_ERR_READ_LOCKED = 0x15,
};

// Factory-fresh tag in the field (all memory 0xFF, passwords 0, sectors unlocked, 256 blocks,
// SIM_DEFAULT_UID), reader present, no faults, no delay, log and counters cleared. The
// simulator starts in this state.
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
// The next n requests are answered, then action runs before the one after them: a test swaps
// the tag in the field there, for example. Not kept in the state file; n < 0 disarms it.
void sim_before_request(int n, void (*action)());

// ---- faults
void sim_set_reader_absent(bool absent);  // every entry point fails with SIM_NO_READER
bool sim_reader_absent();
void sim_set_select_refused(bool refused);
bool sim_select_refused();
// The n-th call of `kind` from now (n >= 1) fails with SIM_INJECTED; a failed request does not
// reach the tag. False when SIM_MAX_FAULTS faults are already waiting or the arguments are bad.
bool sim_fail_call(SimKind kind, int n);
// The n-th request of `kind` from now is answered with flags 0x01 and `code` instead of being
// carried out. Only request kinds (read block ... any request) can be flagged.
bool sim_flag_answer(SimKind kind, int n, uint8_t code = SIM_ERR_OTHER);
int sim_pending_faults();
void sim_clear_faults();

// ---- request log and call counters
int sim_log_count();
const char* sim_log_entry(int i);  // "" when i is out of range
SimKind sim_log_kind(int i);       // SIM_SELECT or the request's kind (SIM_ANY_REQUEST if unknown)
long sim_log_dropped();            // requests not logged because the log was full
void sim_clear_log();
long sim_calls(SimKind kind);
void sim_clear_counters();
const char* sim_kind_name(SimKind kind);  // "read_block", ...; "" for a bad kind
bool sim_kind_from_name(const char* name, SimKind* kind);

// ---- reader timing: charged on every select and send/receive call (busy wait)
void sim_set_delay_us(unsigned microseconds);
unsigned sim_delay_us();

// True once since the last call when the tag's memory, passwords, sectors, field or the
// waiting faults changed (the stand-in DLL saves its state file then).
bool sim_take_changed();

// ---- the reader library's four operations. `answer` needs room for SIM_ANSWER_SIZE chars.
int sim_reader_connect();
int sim_reader_check();
int sim_reader_select(const char* command, char* answer);
int sim_reader_send_receive(const char* command, char* answer);
