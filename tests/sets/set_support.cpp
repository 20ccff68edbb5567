// Shared set-test helpers.
#include "sets/set_support.h"

#include <fstream>
#include <sstream>

#include "model/config_load.h"
#include "sets/set_read.h"
#include "sets/set_text.h"
#include "sets/set_write.h"
#include "sim/sim_state_read.h"
#include "support/reference_image.h"
#include "support/time_zone.h"

void ExampleTest::SetUp()
{
    ProgramTest::SetUp();
    set_time_zone("UTC0");
    ASSERT_TRUE(load_config_file(PELOX_SOURCE_DIR "/examples/Pelox.ini", nullptr));
    ASSERT_TRUE(sim_state_load(PELOX_SOURCE_DIR "/examples/cr95hf-sim.txt"));
    sim_clear_log();
    sim_clear_counters();
}

std::string example_file(const char* name)
{
    std::ifstream in(std::string(PELOX_SOURCE_DIR "/examples/") + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> with_example_set(std::vector<uint8_t> memory)
{
    struct Written {
        int32_t address;
        uint32_t value;
        int width;
    } writes[] = {{36, 2, 1},    {40, 17, 1},    {44, 192, 2},         {48, 800, 2},   {52, 0xFF6A, 2},
                  {56, 3300, 2}, {60, 1200, 2},  {64, 20000, 4},       {80, 600, 4},   {88, 1767225600, 4},
                  {96, 0xFD, 1}, {100, 1010, 2}, {108, 0, 1},          {262, 2, 1},    {265, 1, 1},
                  {268, 60, 2},  {272, 150, 4},  {280, 1798761600, 4}, {288, 40712, 4}};
    for (const Written& w : writes) {
        std::vector<uint8_t> image = reference_image(w.value, w.width);
        std::copy(image.begin(), image.end(), memory.begin() + w.address);
    }
    return memory;
}

void read_set(const std::string& text, ParamSet* set)
{
    SetReadError error;
    if (!read_param_set_text(text.data(), text.size(), set, &error)) {
        char message[200];
        format_set_read_error(error, message, sizeof message);
        ADD_FAILURE() << "line " << error.line << ": " << message;
    }
}

namespace {
bool append(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
    return true;
}
}  // namespace

std::string written(const ParamSet& set)
{
    std::string text;
    EXPECT_TRUE(write_param_set(set, SetOutput{&text, append}));
    return text;
}

std::vector<std::string> report_lines(const SetReport& report, const ParamSet& set)
{
    std::vector<std::string> lines;
    char line[SET_ITEM_TEXT_SIZE];
    for (int i = 0; i < report.count; ++i) {
        format_set_item(report, set, i, line, sizeof line);
        lines.push_back(line);
    }
    format_set_summary(report, line, sizeof line);
    lines.push_back(line);
    return lines;
}

std::string item_line(const SetReport& report, const ParamSet& set, const std::string& name)
{
    for (const std::string& line : report_lines(report, set))
        if (line.rfind("\"" + name + "\" (", 0) == 0) return line;
    return "";
}
