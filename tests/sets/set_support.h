// What the set tests share: the example configuration and tag, sets read from text and written to
// text, and a report's lines.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sets/param_set.h"
#include "sets/set_report.h"
#include "support/program_fixture.h"

// The example Pelox.ini loaded, the example tag (examples/cr95hf-sim.txt) in the field, UTC.
class ExampleTest : public ProgramTest {
protected:
    void SetUp() override;
    std::unique_ptr<ParamSet> set = std::make_unique<ParamSet>();
    std::unique_ptr<SetReport> report = std::make_unique<SetReport>();
};

std::string example_file(const char* name);  // the text of examples/<name>

// memory with the image of every value examples/example.set writes (worked out from the file by
// hand, imaged by the reference CRC).
std::vector<uint8_t> with_example_set(std::vector<uint8_t> memory);

// Reads text into set; fails the test with the message when it is refused.
void read_set(const std::string& text, ParamSet* set);
std::string written(const ParamSet& set);
// One line an item, then the summary.
std::vector<std::string> report_lines(const SetReport& report, const ParamSet& set);
// The line of the item naming this parameter ('"Mode" (36' ...), "" when none does.
std::string item_line(const SetReport& report, const ParamSet& set, const std::string& name);
