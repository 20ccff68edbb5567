// Known state for tests that run the program's core against the simulated tag.
#include "support/program_fixture.h"

#include <stdio.h>
#include <string.h>

void ProgramTest::SetUp()
{
    sim_reset();
    sim_reader_check();  // the reader connected, as after a first refresh; sim_reset() closes it again
    sim_clear_counters();
    fake_surface_reset();
    clear_table();
    lastPage = 0;
    currentPage = 0;
    reset_settings();
}

std::vector<std::string> ProgramTest::requests()
{
    std::vector<std::string> log;
    for (int i = 0; i < sim_log_count(); ++i) log.push_back(sim_log_entry(i));
    return log;
}

std::vector<uint8_t> ProgramTest::memory(int address, int count)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    EXPECT_TRUE(sim_read_memory(address, bytes.data(), count));
    return bytes;
}

void ProgramTest::put_memory(int address, const std::vector<uint8_t>& bytes)
{
    ASSERT_TRUE(sim_write_memory(address, bytes.data(), static_cast<int>(bytes.size())));
}

ParamEntry& add_param(const char* name, ParamType type, int32_t address, EditMode mode, int32_t defaultValue)
{
    ParamEntry& e = ParamTable[entryCount++];
    snprintf(e.name, sizeof e.name, "%s", name);
    snprintf(e.description, sizeof e.description, "%s description", name);
    e.type = type;
    e.address = address;
    e.mode = mode;
    e.defaultValue = defaultValue;
    e.minValue = INT32_MIN, e.maxValue = INT32_MAX;  // no Min= or Max=: the type's range decides
    lastPage = compute_last_page(entryCount);
    return e;
}

void fill_table(int count)
{
    for (int i = 0; i < count; ++i) {
        char name[16];
        snprintf(name, sizeof name, "P%d", i);
        add_param(name, ParamType::int8, 4 * i, EditMode::Changeable);
    }
}

std::string hex_bytes(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char two[4];
    for (uint8_t b : bytes) {
        snprintf(two, sizeof two, "%s%02X", text.empty() ? "" : " ", b);
        text += two;
    }
    return text;
}
