// Over generated files: the parameters the checker reports are exactly the ones the tool loads,
// each on the line where it stands, and every finding stays on one output line.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "checker/checker_run.h"
#include "model/config.h"
#include "model/config_load.h"

namespace {

const std::vector<std::string> kFragments = {
    "Name=\"A\"",
    "Name=\"Default B\"",
    "Name=\"open",
    "Name=C",
    "Name=\"\"",
    "Name=\"t\tab\"",
    "Name=\"b\\s\"",
    "Description=\"d\"",
    "Description=\"Changeable text\"",
    "Description=\"runs on",
    "Description=",
    "Address=0",
    "Address=1018",
    "Address=1021",
    "Address=-1",
    "Address=99999999999",
    "Address=x",
    "Address=  12",
    "Type=int8",
    "Type=int16",
    "Type=int32",
    "Type=time",
    "Type=swver",
    "Type=empty",
    "Type=int64",
    "type=int8",
    "Changeable",
    "Default",
    "Default=5",
    "Default=-300",
    "Default=2147483648",
    "Default=\"7\"",
    "Address=16+1",
    "Min=0",
    "Max=\"100\"",
    "Min=-40000",
    "changeable",
    "#",
    "\t#",
    "\x01",
    "\xE9t\xE9",
    std::string(1, '\0'),
    std::string(120, 'x'),
};
const char* const kTypes[] = {"int8", "int16", "int32", "time", "swver", "empty"};
const char* const kModes[] = {"DisplayOnly", "Changeable", "Default"};
const char* const kHeaders[] = {"Pwd=1 set=1\n", "Pwd=ABC set=0 scan 50\r\n", "", "Pwd=1 set=1",
                                "Pwd=1 set=1 and then Name=\"H\" Description=\"h\" Address=0 Type=int8\n"};

// Lines of fragments; in half of the files most lines are whole definitions, enough to fill the table.
std::string generate_file(std::mt19937& rng)
{
    auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    static const char* const separators[] = {" ", "", "\t", "  "};
    static const char* const starts[] = {"", " ", "\t", "  #"};
    static const char* const ends[] = {"\n", "\n", "\r\n", "\r"};
    std::string s = kHeaders[below(5)];
    int count = below(170);
    int wholeShare = below(2) == 0 ? 2 : 10;  // in tenths
    for (int n = 0; n < count; ++n) {
        bool whole = below(10) < wholeShare;
        s += starts[below(whole ? 3 : 4)];
        if (whole)
            s += "Name=\"N" + std::to_string(n) + "\" Description=\"d\" Address=" + std::to_string(below(1030) - 3) +
                 " Type=" + kTypes[below(6)];
        for (int k = below(whole ? 3 : 8); k > 0; --k)
            s += separators[below(4)] + kFragments[static_cast<size_t>(below(static_cast<int>(kFragments.size())))];
        if (n + 1 < count || below(2) == 0) s += ends[below(4)];
    }
    return s;
}

// Undoes the checker's quoting of file text.
std::string unquote(const std::string& quoted)
{
    std::string s;
    for (size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            s += quoted[i];
        } else if (quoted[++i] == 'x') {
            s += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            char c = quoted[i];
            s += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return s;
}

TEST(LoaderAgreement, ReportedParametersAreTheLoadedOnes)
{
    const std::regex parameter(R"re(Pelox\.ini:(\d+)(?::\d+)?: parameter (\d+) "((?:[^"\\]|\\.)*)": )re"
                               R"re(page (\d+) row (\d+), (\w+)(?: \(row hidden\))?, (\w+), default (-?\d+), )re"
                               R"re((?:values (-?\d+) to (-?\d+) \(Min=, Max=\), )?(.*))re");
    std::mt19937 rng(8);
    for (int round = 0; round < 300; ++round) {
        std::string content = generate_file(rng);
        CheckRun run = run_check(content);
        load_config_text(content.data(), content.size(), nullptr);
        std::vector<std::string> file(1);
        for (char c : content) {
            if (c == '\n') file.emplace_back();
            else file.back() += c;
        }

        uint32_t reported = 0;
        bool problems = false;
        std::istringstream lines(run.text);
        for (std::string out; std::getline(lines, out);) {
            SCOPED_TRACE("round " + std::to_string(round) + ": " + out);
            ASSERT_EQ(out.rfind("Pelox.ini:", 0), 0u);
            for (char c : out) ASSERT_FALSE(c >= 0 && c < 0x20);
            for (const char* kind : {": skipped: ", ": never read: ", ": overlap: ", ": duplicate name: ",
                                     "this definition is not loaded"})
                problems = problems || out.find(kind) != std::string::npos;
            // The message starts after the location "Pelox.ini:LINE[:COLUMN]: ".
            std::smatch m;
            if (out.compare(out.find(": ", 10) + 2, 10, "parameter ") != 0) continue;
            ASSERT_TRUE(std::regex_match(out, m, parameter));
            ASSERT_LT(reported, entryCount);
            const ParamEntry& loaded = ParamTable[reported];
            EXPECT_EQ(std::stoul(m[2]), reported + 1);
            EXPECT_EQ(std::stoul(m[4]), reported / 20 + 1);
            EXPECT_EQ(std::stoul(m[5]), reported % 20 + 1);
            std::string name = unquote(m[3]);
            EXPECT_EQ(name, loaded.name);
            EXPECT_EQ(m[6].str(), kTypes[static_cast<int>(loaded.type) - 1]);
            EXPECT_EQ(m[7].str(), kModes[static_cast<int>(loaded.mode)]);
            EXPECT_EQ(std::stol(m[8]), loaded.defaultValue);
            int size = loaded.type == ParamType::int8 ? 3 : loaded.type == ParamType::int16 ? 4 : 6;
            if (m[9].matched) {
                EXPECT_EQ(std::stol(m[9]), loaded.minValue);
                EXPECT_EQ(std::stol(m[10]), loaded.maxValue);
            }
            EXPECT_EQ(m[11].str().rfind(loaded.type == ParamType::empty
                                            ? "no stored bytes"
                                            : "bytes " + std::to_string(loaded.address) + "-" +
                                                  std::to_string(loaded.address + size - 1) + ", ",
                                        0),
                      0u);
            // The name stands on the reported line of the file.
            size_t line = std::stoul(m[1]);
            ASSERT_LE(line, file.size());
            if (!name.empty() && name.back() == '\n') name.pop_back();
            EXPECT_NE(file[line - 1].find(name), std::string::npos);
            ++reported;
        }
        EXPECT_EQ(reported, entryCount) << "round " << round;
        // The window's About counts the skipped lines as the checker does.
        EXPECT_NE(run.text.find("Pelox.ini: summary: parameters " + std::to_string(entryCount) + ", skipped " +
                                std::to_string(skippedLines.count) + ","),
                  std::string::npos);
        EXPECT_EQ(run.status, problems ? 1 : 0) << "round " << round;
    }
}

}  // namespace
