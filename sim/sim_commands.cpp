// The tag's side of one exchange: carries out a decoded ISO/IEC 15693 request against the
// simulated memory and security, and builds the reply (flags byte and payload).
#include "sim/sim_commands.h"

#include "sim/sim_core.h"

namespace {

enum : uint8_t {
    CMD_READ_BLOCK = 0x20,
    CMD_WRITE_BLOCK = 0x21,
    CMD_SYSTEM_INFO = 0x2B,
    CMD_WRITE_PASSWORD = 0xB1,
    CMD_LOCK_SECTOR = 0xB2,
    CMD_PRESENT_PASSWORD = 0xB3,
    MAKER_CODE = 0x02,
    FLAG_ERROR = 0x01,
    INFO_FLAGS_ALL = 0x0F,  // DSFID, AFI, memory size and IC reference follow the UID
};

// Only the sub-carrier and data-rate bits may vary: addressed, selected, option and inventory
// modes are not modelled, and a request using them is refused rather than half obeyed.
constexpr uint8_t FLAGS_ALLOWED = 0x03;

enum Access { ACCESS_FREE, ACCESS_WITH_PASSWORD, ACCESS_NEVER };

size_t error_reply(uint8_t* reply, uint8_t code)
{
    reply[0] = FLAG_ERROR;
    reply[1] = code;
    return 2;
}

size_t ok_reply(uint8_t* reply)
{
    reply[0] = 0x00;
    return 1;
}

uint32_t big_endian(const uint8_t* p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

// Access rights of a locked sector, indexed by its 2-bit access field.
const Access READ_ACCESS[4] = {ACCESS_FREE, ACCESS_FREE, ACCESS_WITH_PASSWORD, ACCESS_WITH_PASSWORD};
const Access WRITE_ACCESS[4] = {ACCESS_WITH_PASSWORD, ACCESS_FREE, ACCESS_WITH_PASSWORD, ACCESS_NEVER};

bool allowed(int block, const Access* table)
{
    uint8_t status = simState.sectors[block / SIM_SECTOR_BLOCKS];
    if (!(status & SIM_SECTOR_LOCKED)) return true;
    Access access = table[(status >> SIM_SECTOR_ACCESS_SHIFT) & 3];
    if (access == ACCESS_FREE) return true;
    if (access == ACCESS_NEVER) return false;
    // A sector guarded by "password 0" can never be opened.
    int password = (status >> SIM_SECTOR_PASSWORD_SHIFT) & 3;
    return password != 0 && (simState.granted & (1u << password));
}

size_t read_block(const uint8_t* args, size_t n, uint8_t* reply)
{
    if (n != 1) return error_reply(reply, SIM_ERR_OTHER);
    int block = args[0];
    if (block >= simState.blockCount) return error_reply(reply, SIM_ERR_NO_BLOCK);
    if (!allowed(block, READ_ACCESS)) return error_reply(reply, SIM_ERR_READ_LOCKED);
    ok_reply(reply);
    for (int i = 0; i < SIM_BLOCK_SIZE; ++i) reply[1 + i] = simState.memory[block * SIM_BLOCK_SIZE + i];
    return 1 + SIM_BLOCK_SIZE;
}

size_t write_block(const uint8_t* args, size_t n, uint8_t* reply)
{
    if (n != 1 + SIM_BLOCK_SIZE) return error_reply(reply, SIM_ERR_OTHER);
    int block = args[0];
    if (block >= simState.blockCount) return error_reply(reply, SIM_ERR_NO_BLOCK);
    if (!allowed(block, WRITE_ACCESS)) return error_reply(reply, SIM_ERR_WRITE_LOCKED);
    for (int i = 0; i < SIM_BLOCK_SIZE; ++i) simState.memory[block * SIM_BLOCK_SIZE + i] = args[1 + i];
    sim_mark_changed();
    return ok_reply(reply);
}

size_t system_info(size_t n, uint8_t* reply)
{
    if (n != 0) return error_reply(reply, SIM_ERR_OTHER);
    size_t len = 0;
    reply[len++] = 0x00;
    reply[len++] = INFO_FLAGS_ALL;
    for (int i = 0; i < 8; ++i) reply[len++] = (uint8_t)(simState.uid >> (8 * i));
    reply[len++] = simState.dsfid;
    reply[len++] = simState.afi;
    reply[len++] = (uint8_t)(simState.blockCount - 1);
    reply[len++] = SIM_BLOCK_SIZE - 1;
    reply[len++] = simState.icReference;
    return len;
}

// Password requests carry the password number and its 4 bytes, most significant first.
size_t present_password(const uint8_t* args, size_t n, uint8_t* reply)
{
    int number = n == 5 ? args[0] : 0;
    if (number < 1 || number > SIM_PASSWORDS || simState.passwords[number] != big_endian(args + 1)) {
        simState.granted = 0;
        return error_reply(reply, SIM_ERR_OTHER);
    }
    simState.granted |= 1u << number;
    return ok_reply(reply);
}

size_t write_password(const uint8_t* args, size_t n, uint8_t* reply)
{
    int number = n == 5 ? args[0] : 0;
    if (number < 1 || number > SIM_PASSWORDS || !(simState.granted & (1u << number)))
        return error_reply(reply, SIM_ERR_OTHER);
    simState.passwords[number] = big_endian(args + 1);
    sim_mark_changed();
    return ok_reply(reply);
}

// The sector is named by the number of any of its blocks; the lock sets bit 0 whatever the
// status byte says, since the command exists to lock.
size_t lock_sector(const uint8_t* args, size_t n, uint8_t* reply)
{
    if (n != 2 || (args[1] & ~SIM_SECTOR_STATUS_MASK)) return error_reply(reply, SIM_ERR_OTHER);
    int block = args[0];
    if (block >= simState.blockCount) return error_reply(reply, SIM_ERR_NO_BLOCK);
    uint8_t& status = simState.sectors[block / SIM_SECTOR_BLOCKS];
    if (status & SIM_SECTOR_LOCKED) return error_reply(reply, SIM_ERR_ALREADY_LOCKED);
    status = (uint8_t)(args[1] | SIM_SECTOR_LOCKED);
    sim_mark_changed();
    return ok_reply(reply);
}

}  // namespace

size_t sim_tag_execute(const uint8_t* request, size_t length, uint8_t* reply)
{
    if (length < 2 || (request[0] & ~FLAGS_ALLOWED)) return error_reply(reply, SIM_ERR_OTHER);
    const uint8_t* args = request + 2;
    size_t n = length - 2;
    switch (request[1]) {
    case CMD_READ_BLOCK: return read_block(args, n, reply);
    case CMD_WRITE_BLOCK: return write_block(args, n, reply);
    case CMD_SYSTEM_INFO: return system_info(n, reply);
    default: break;
    }
    bool custom = request[1] >= 0xA0 && request[1] <= 0xDF;
    if (!custom) return error_reply(reply, SIM_ERR_OTHER);
    // A custom command addressed to another maker's chips is ignored, as the standard asks.
    if (n < 1 || args[0] != MAKER_CODE) return 0;
    switch (request[1]) {
    case CMD_PRESENT_PASSWORD: return present_password(args + 1, n - 1, reply);
    case CMD_WRITE_PASSWORD: return write_password(args + 1, n - 1, reply);
    case CMD_LOCK_SECTOR: return lock_sector(args + 1, n - 1, reply);
    default: return error_reply(reply, SIM_ERR_OTHER);
    }
}
