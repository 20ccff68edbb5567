// The simulated tag's state and the test controls that set it up and look at it directly,
// bypassing the tag's own protection.
#include "sim/sim_tag.h"

#include <cstring>

#include "sim/sim_core.h"

SimState simState;

namespace {

bool changed = false;

// Tests that never call sim_reset() still meet a factory tag, not an empty memory out of the field.
struct FactoryStart {
    FactoryStart() { sim_factory_state(&simState); }
} factoryStart;

bool valid_password_number(int number)
{
    return number >= 1 && number <= SIM_PASSWORDS;
}

}  // namespace

void sim_mark_changed()
{
    changed = true;
}

bool sim_take_changed()
{
    bool was = changed;
    changed = false;
    return was;
}

void sim_factory_state(SimState* s)
{
    std::memset(s, 0, sizeof *s);
    s->uid = SIM_DEFAULT_UID;
    s->icReference = 0x2C;
    s->blockCount = SIM_MAX_BLOCKS;
    std::memset(s->memory, 0xFF, sizeof s->memory);
    s->inField = true;
    s->leaveAfter = -1;
    s->conveyor = -1;
}

void sim_reset()
{
    sim_factory_state(&simState);
    sim_before_request(-1, nullptr);
    sim_clear_log();
    sim_clear_counters();
    changed = false;
}

void sim_set_uid(uint64_t uid)
{
    simState.uid = uid;
}
uint64_t sim_uid()
{
    return simState.uid;
}

void sim_set_system_info(uint8_t dsfid, uint8_t afi, uint8_t icReference)
{
    simState.dsfid = dsfid;
    simState.afi = afi;
    simState.icReference = icReference;
}

bool sim_set_block_count(int blocks)
{
    if (blocks < 1 || blocks > SIM_MAX_BLOCKS) return false;
    simState.blockCount = blocks;
    return true;
}

int sim_block_count()
{
    return simState.blockCount;
}

bool sim_write_memory(int address, const uint8_t* data, int count)
{
    if (address < 0 || count < 0 || address > (int)sizeof simState.memory - count) return false;
    if (count > 0) std::memcpy(simState.memory + address, data, (size_t)count);
    return true;
}

bool sim_read_memory(int address, uint8_t* out, int count)
{
    if (address < 0 || count < 0 || address > (int)sizeof simState.memory - count) return false;
    if (count > 0) std::memcpy(out, simState.memory + address, (size_t)count);
    return true;
}

uint32_t sim_block(int block)
{
    if (block < 0 || block >= SIM_MAX_BLOCKS) return 0;
    const uint8_t* b = simState.memory + block * SIM_BLOCK_SIZE;
    return (uint32_t)b[0] << 24 | (uint32_t)b[1] << 16 | (uint32_t)b[2] << 8 | b[3];
}

bool sim_set_block(int block, uint32_t value)
{
    if (block < 0 || block >= SIM_MAX_BLOCKS) return false;
    uint8_t* b = simState.memory + block * SIM_BLOCK_SIZE;
    for (int i = 0; i < SIM_BLOCK_SIZE; ++i) b[i] = (uint8_t)(value >> (24 - 8 * i));
    return true;
}

bool sim_set_password(int number, uint32_t value)
{
    if (!valid_password_number(number)) return false;
    simState.passwords[number] = value;
    return true;
}

uint32_t sim_password(int number)
{
    return valid_password_number(number) ? simState.passwords[number] : 0;
}

bool sim_set_sector_status(int sector, uint8_t status)
{
    if (sector < 0 || sector >= SIM_SECTORS || (status & ~SIM_SECTOR_STATUS_MASK)) return false;
    simState.sectors[sector] = status;
    return true;
}

uint8_t sim_sector_status(int sector)
{
    return sector >= 0 && sector < SIM_SECTORS ? simState.sectors[sector] : 0;
}

unsigned sim_granted_passwords()
{
    return simState.granted;
}

void sim_enter_field()
{
    if (!simState.inField) sim_mark_changed();
    simState.inField = true;
}

void sim_leave_field()
{
    if (simState.inField) sim_mark_changed();
    simState.inField = false;
    simState.granted = 0;
    simState.leaveAfter = -1;
}

bool sim_in_field()
{
    return simState.inField;
}

void sim_leave_field_after(int n)
{
    simState.leaveAfter = n < 0 ? -1 : n;
}

void sim_set_reader_absent(bool absent)
{
    simState.readerAbsent = absent;
    if (absent) simState.usbOpen = false;
}
bool sim_reader_absent()
{
    return simState.readerAbsent;
}
bool sim_usb_open()
{
    return simState.usbOpen;
}
void sim_set_select_refused(bool refused)
{
    simState.selectRefused = refused;
}
bool sim_select_refused()
{
    return simState.selectRefused;
}
void sim_set_delay_us(unsigned microseconds)
{
    simState.delayUs = microseconds;
}
unsigned sim_delay_us()
{
    return simState.delayUs;
}
