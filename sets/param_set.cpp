// The set file's signature, the fingerprint that ties a set to the configuration it was made
// with, and its CRC-32.
#include "sets/param_set.h"

#include <string.h>

const char kSetSignature[] = "# Pelox parameter set";

const char* after_set_signature(const char* line)
{
    line += strncmp(line, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    return strncmp(line, kSetSignature, sizeof kSetSignature - 1) == 0 ? line + sizeof kSetSignature - 1 : nullptr;
}

uint32_t crc32_add(uint32_t crc, const uint8_t* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

uint32_t config_fingerprint()
{
    // CRC-32 (IEEE) over each record: the name and its NUL, the address high byte first, the type.
    uint32_t crc = 0xFFFFFFFFu;
    for (uint32_t i = 0; i < entryCount && i < PARAM_COUNT; ++i) {
        const ParamEntry& e = ParamTable[i];
        crc = crc32_add(crc, reinterpret_cast<const uint8_t*>(e.name), strnlen(e.name, sizeof e.name - 1) + 1);
        uint32_t a = static_cast<uint32_t>(e.address);
        const uint8_t rest[5] = {static_cast<uint8_t>(a >> 24), static_cast<uint8_t>(a >> 16),
                                 static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(a), static_cast<uint8_t>(e.type)};
        crc = crc32_add(crc, rest, sizeof rest);
    }
    return ~crc;
}

uint32_t set_fingerprint(const ParamSet& set)
{
    // As config_fingerprint, then a byte 1 and the value high byte first, or a byte 0 for not-set.
    uint32_t crc = 0xFFFFFFFFu;
    for (int i = 0; i < set.count && i < SET_MAX_ENTRIES; ++i) {
        const SetEntry& e = set.entries[i];
        crc = crc32_add(crc, reinterpret_cast<const uint8_t*>(e.name), strnlen(e.name, sizeof e.name - 1) + 1);
        uint32_t a = static_cast<uint32_t>(e.address), v = static_cast<uint32_t>(e.value);
        const uint8_t rest[10] = {static_cast<uint8_t>(a >> 24), static_cast<uint8_t>(a >> 16),
                                  static_cast<uint8_t>(a >> 8),  static_cast<uint8_t>(a),
                                  static_cast<uint8_t>(e.type),  static_cast<uint8_t>(e.valueSet ? 1 : 0),
                                  static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
                                  static_cast<uint8_t>(v >> 8),  static_cast<uint8_t>(v)};
        crc = crc32_add(crc, rest, e.valueSet ? sizeof rest : 6);
    }
    return ~crc;
}
