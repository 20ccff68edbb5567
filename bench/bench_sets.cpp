// The example set, written by a planned apply or parameter by parameter.
#include "bench/bench_sets.h"

#include <stdio.h>

#include "dialog/surface.h"
#include "dialog/write.h"
#include "model/config.h"
#include "model/config_load.h"
#include "sets/set_read.h"
#include "sim/sim_tag.h"

bool bench_load_example_set(ParamSet* set)
{
    SetReadError error;
    return load_config_file(PELOX_SOURCE_DIR "/examples/Pelox.ini", nullptr) &&
           read_param_set_file(PELOX_SOURCE_DIR "/examples/example.set", set, &error);
}

void bench_fresh_tag()
{
    uint8_t erased[SIM_MAX_BLOCKS * SIM_BLOCK_SIZE];
    for (uint8_t& byte : erased) byte = 0xFF;
    sim_write_memory(0, erased, static_cast<int>(sizeof erased));
    sim_enter_field();
}

void write_set_by_buttons(const SetReport& plan, const ParamSet& set)
{
    for (int i = 0; i < plan.count; ++i) {
        const SetItem& item = plan.items[i];
        if (item.size == 0) continue;
        currentPage = item.record / PAGE_ROWS;
        int row = item.record % PAGE_ROWS;
        char typed[16];
        snprintf(typed, sizeof typed, "%ld", static_cast<long>(set.entries[item.entry].value));
        set_field_text(IDC_VALUE_BOX + row, typed);
        write_param(row);
    }
    currentPage = 0;
}
