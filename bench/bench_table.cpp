// The benchmark parameter set and the tag contents that go with it.
#include "bench/bench_table.h"

#include <stdio.h>

#include "model/value_codec.h"
#include "sim/sim_tag.h"

namespace {

enum { DEFINITIONS = 100, SLOT = 10 };

const char* const kTypes[] = {"int8", "int16", "int32", "time", "swver"};
const char* const kModes[] = {" Changeable", " Default=5", ""};

// Slots of 10 bytes, shifted by 0 to 3 bytes: images start at every offset within a block and
// touch one, two or three blocks.
int address_of(int i)
{
    return SLOT * i + i % 4;
}

}  // namespace

std::string bench_config_text()
{
    std::string text = "Pwd=1A2B3C4D set=1\n";
    char line[160];
    for (int i = 0; i < DEFINITIONS; ++i) {
        snprintf(line, sizeof line, "Name=\"P%02d\" Description=\"parameter %d\" Address=%d Type=%s%s\n", i, i,
                 address_of(i), kTypes[i % 5], kModes[i % 3]);
        text += line;
    }
    return text;
}

void bench_fill_tag()
{
    sim_set_password(1, BENCH_PASSWORD);
    for (uint32_t i = 0; i < entryCount; ++i) {
        const ParamEntry& e = ParamTable[i];
        uint8_t image[IMAGE_BUFFER_SIZE];
        int size = encode_value(e.type, e.type == ParamType::time ? 1700000000 : -5, image);
        if (e.type == ParamType::swver) {  // 1.2.3, which the program does not encode
            const uint8_t version[] = {1, 2, 0, 3};
            uint16_t crc = crc16_value(0x01020003u, 4);
            for (int k = 0; k < 4; ++k) image[k] = version[k];
            image[4] = static_cast<uint8_t>(crc >> 8);
            image[5] = static_cast<uint8_t>(crc);
            size = 6;
        }
        if (size > 0) sim_write_memory(e.address, image, size);
    }
}

int bench_row(ParamType type)
{
    for (int row = 0; row < PAGE_ROWS; ++row) {
        const ParamEntry& e = record_at(currentPage, row);
        if (e.type == type && e.mode == EditMode::Changeable) return row;
    }
    return -1;
}
