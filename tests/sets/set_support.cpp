// Shared set-test helpers.
#include "sets/set_support.h"

#include <fstream>
#include <sstream>

#include "sets/set_text.h"
#include "sim/sim_state.h"
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
