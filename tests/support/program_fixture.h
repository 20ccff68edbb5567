// Puts the program's static state, the fake dialog surface and the simulated tag into a known
// state, and gives tests the simulator's request log and memory as plain values.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_surface.h"
#include "model/config.h"
#include "model/param_table.h"
#include "sim/sim_tag.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Requests seen by the simulator since the last clear, as texts.
    static std::vector<std::string> requests();
    // The simulator's bytes [address, address + count).
    static std::vector<uint8_t> memory(int address, int count);
    static void put_memory(int address, const std::vector<uint8_t>& bytes);
    // A snapshot of the whole tag memory.
    static std::vector<uint8_t> whole_memory() { return memory(0, SIM_MAX_BLOCKS * SIM_BLOCK_SIZE); }
};

// Appends a parameter definition to the table (as the loader would have).
ParamEntry& add_param(const char* name, ParamType type, int32_t address, EditMode mode = EditMode::DisplayOnly,
                      int32_t defaultValue = 0);
// Fills the table with count Changeable int8 parameters at addresses 4 * i (names P0, P1, ...).
void fill_table(int count);

// Hex text of bytes, "01 2C 4E A5", for readable assertions.
std::string hex_bytes(const std::vector<uint8_t>& bytes);
