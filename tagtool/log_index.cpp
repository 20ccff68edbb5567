// The UID table of the production log: open addressing in one static array.
#include "tagtool/log_index.h"

#include <stdio.h>
#include <ctype.h>
#include <string.h>

#include "model/text_number.h"

namespace {

DeviceRecord slots[LOG_INDEX_SLOTS];
int devices;
char name[PARAM_TEXT_SIZE];
bool anyNumber[2];
int64_t highestNumber[2];

uint64_t parse_uid(const char* text)
{
    uint64_t uid = 0;
    for (const char* p = text; *p != '\0'; ++p) uid = uid << 4 | static_cast<uint64_t>(hex_digit_value(*p));
    return uid;
}

DeviceRecord* slot_of(uint64_t uid)
{
    // UIDs share their maker's leading bytes: a multiplicative hash spreads the serial bits.
    size_t at = static_cast<size_t>((uid * 0x9E3779B97F4A7C15ull) >> (64 - 18)) & (LOG_INDEX_SLOTS - 1);
    while (slots[at].uid != 0 && slots[at].uid != uid) at = (at + 1) & (LOG_INDEX_SLOTS - 1);
    return &slots[at];
}

bool same_but_case(const char* a, const char* b, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (a[i] == '\0' || tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The row's number of the kept parameter, when it has one.
bool row_number(const LogRow& row, int32_t* value)
{
    const char* number = row.field[LOG_NUMBER];
    size_t length = strlen(name);
    if (length == 0 || strncmp(number, name, length) != 0 || number[length] != '=') return false;
    return scan_whole_decimal(number + length + 1, value) == NumberScan::ok;
}

void copy_cut(char* to, size_t size, const char* from)
{
    size_t n = strnlen(from, size - 1);
    memcpy(to, from, n);
    to[n] = '\0';
}

}  // namespace

void index_reset(const char* numberName)
{
    memset(slots, 0, sizeof slots);
    devices = 0;
    copy_cut(name, sizeof name, numberName);
    anyNumber[0] = anyNumber[1] = false;
}

IndexAdd index_add(const LogRow& row)
{
    int kind = strcmp(row.field[LOG_COMMAND], "verify") == 0 ? 1 : 0;
    int32_t value = 0;
    bool numbered = row_number(row, &value);
    size_t length = strlen(name);
    if (!numbered && length > 0 && same_but_case(row.field[LOG_NUMBER], name, length) &&
        row.field[LOG_NUMBER][length] == '=')
        return IndexAdd::misspelt;
    if (numbered && (!anyNumber[kind] || value > highestNumber[kind])) highestNumber[kind] = value;
    anyNumber[kind] = anyNumber[kind] || numbered;
    if (kind != 0) return IndexAdd::added;
    uint64_t uid = parse_uid(row.field[LOG_UID]);
    DeviceRecord* d = slot_of(uid);
    if (d->uid == 0) {
        if (uid == 0) return IndexAdd::added;
        if (devices >= LOG_DEVICES_MAX) return IndexAdd::full;
        ++devices;
        d->uid = uid;
    }
    uint32_t crc = 0;
    scan_hex(row.field[LOG_SET_CRC], &crc);
    d->setCrc = crc;
    d->line = row.line;
    if (numbered) d->number = value, d->numbered = true;
    copy_cut(d->result, sizeof d->result, row.field[LOG_RESULT]);
    copy_cut(d->time, sizeof d->time, row.field[LOG_TIME]);
    return IndexAdd::added;
}

const DeviceRecord* index_find(uint64_t uid)
{
    const DeviceRecord* d = uid == 0 ? nullptr : slot_of(uid);
    return d != nullptr && d->uid == uid ? d : nullptr;
}

bool index_highest(const char* command, int64_t* highest)
{
    int kind = strcmp(command, "verify") == 0 ? 1 : 0;
    if (anyNumber[kind]) *highest = highestNumber[kind];
    return anyNumber[kind];
}
