// Over generated files: the parameters the checker reports are exactly the ones the tool loads,
// each on the line where it stands, and every finding stays on one output line.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

#include "checker/checker_run.h"
#include "model/config.h"
#include "support/temp_files.h"

namespace {

const std::vector<std::string> kFragments = {
    "Name=\"A\"", "Name=\"Default B\"", "Name=\"open", "Name=C", "Name=\"\"", "Name=\"t\tab\"", "Name=\"b\\s\"",
    "Description=\"d\"", "Description=\"Changeable text\"", "Description=\"runs on", "Description=",
    "Address=0", "Address=4", "Address=1018", "Address=1020", "Address=1021", "Address=-1", "Address=99999999999",
    "Address=x", "Address=  12", "Type=int8", "Type=int16", "Type=int32", "Type=time", "Type=swver", "Type=empty",
    "Type=int64", "type=int8", "Changeable", "Default", "Default=5", "Default=-300", "Default=40000",
    "Default=2147483648", "#", "\t#", "scan 5", "\x01", "\xE9t\xE9", std::string(1, '\0'), std::string(120, 'x'),
};
const char* const kTypes[] = {"int8", "int16", "int32", "time", "swver", "empty"};
const char* const kHeaders[] = {
    "Pwd=1 set=1\n", "Pwd=ABC set=0 scan 50\r\n", "", "Pwd=1 set=1",
    "Pwd=1 set=1 and then Name=\"H\" Description=\"h\" Address=0 Type=int8\n",
    "Name=\"h\" Description=\"d\" Address=0 Type=int8\n",
};

struct Generator {
    std::mt19937 rng{8};
    int below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    const std::string& fragment() { return kFragments[static_cast<size_t>(below(static_cast<int>(kFragments.size())))]; }

    std::string line(bool complete, int n)
    {
        static const char* const separators[] = {" ", "", "\t", "  "};
        static const char* const prefixes[] = {"", "", " ", "\t", "  #"};
        std::string s = prefixes[below(complete ? 4 : 5)];
        if (complete)
            s += "Name=\"N" + std::to_string(n) + "\" Description=\"d\" Address=" + std::to_string(below(1030) - 3) +
                 " Type=" + kTypes[below(6)];
        for (int k = below(complete ? 3 : 8); k > 0; --k) s += separators[below(4)] + fragment();
        return s;
    }

    std::string file()
    {
        std::string s = kHeaders[below(6)];
        int count = below(170);
        int completeShare = below(2) == 0 ? 2 : 10;  // in tenths: sparse files, and ones that fill the table
        for (int n = 0; n < count; ++n) {
            s += line(below(10) < completeShare, n);
            static const char* const ends[] = {"\n", "\n", "\n", "\r\n", "\r"};
            if (n + 1 < count || below(2) == 0) s += ends[below(5)];
        }
        return s;
    }
};

// Undoes the checker's quoting of file text.
std::string unquote(const std::string& quoted)
{
    std::string s;
    for (size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            s += quoted[i];
            continue;
        }
        char c = quoted[++i];
        if (c == 'n') s += '\n';
        else if (c == 'r') s += '\r';
        else if (c == 't') s += '\t';
        else if (c == 'x') s += static_cast<char>(std::stoi(quoted.substr(i + 1, 2), nullptr, 16)), i += 2;
        else s += c;
    }
    return s;
}

std::vector<std::string> physical_lines(const std::string& content)
{
    std::vector<std::string> lines(1);
    for (char c : content) {
        if (c == '\n') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

int stored_bytes(const std::string& type)
{
    return type == "int8" ? 3 : type == "int16" ? 4 : 6;
}

TEST(LoaderAgreement, ReportedParametersAreTheLoadedOnes)
{
    const std::regex parameter(
        R"re(Pelox\.ini:(\d+)(?::\d+)?: parameter (\d+) "((?:[^"\\]|\\.)*)": page (\d+) row (\d+), (\w+)( \(row hidden\))?, )re"
        R"re((\w+), default (-?\d+), (.*))re");
    const char* const modes[] = {"DisplayOnly", "Changeable", "Default"};
    Generator generate;
    for (int round = 0; round < 300; ++round) {
        std::string content = generate.file();
        CheckRun run = run_check(content);

        TempFolder folder;
        ASSERT_TRUE(load_config_file(folder.write("Pelox.ini", content).c_str(), nullptr));
        std::vector<std::string> file = physical_lines(content);

        uint32_t reported = 0;
        bool problems = false;
        std::vector<std::string> lines = run.lines();
        for (const std::string& out : lines) {
            SCOPED_TRACE("round " + std::to_string(round) + ": " + out);
            ASSERT_EQ(out.rfind("Pelox.ini:", 0), 0u);
            for (char c : out) ASSERT_FALSE(c >= 0 && c < 0x20);
            problems = problems || out.find(": skipped: ") != std::string::npos ||
                       out.find(": never read: ") != std::string::npos || out.find(": overlap: ") != std::string::npos;
            std::smatch m;
            // The message starts after the location "Pelox.ini:LINE[:COLUMN]: ".
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
            EXPECT_EQ(m[8].str(), modes[static_cast<int>(loaded.mode)]);
            EXPECT_EQ(std::stol(m[9]), loaded.defaultValue);
            if (loaded.type == ParamType::empty) {
                EXPECT_EQ(m[10].str(), "no stored bytes");
            } else {
                int last = loaded.address + stored_bytes(m[6]) - 1;
                EXPECT_EQ(m[10].str().rfind("bytes " + std::to_string(loaded.address) + "-" + std::to_string(last) +
                                                ", ", 0),
                          0u);
            }
            // The name stands on the reported line of the file.
            size_t line = std::stoul(m[1]);
            ASSERT_LE(line, file.size());
            if (!name.empty() && name.back() == '\n') name.pop_back();
            EXPECT_NE(file[line - 1].find(name), std::string::npos);
            ++reported;
        }
        EXPECT_EQ(reported, entryCount) << "round " << round;
        EXPECT_EQ(lines.back().rfind("Pelox.ini: summary: parameters " + std::to_string(entryCount) + ",", 0), 0u);
        EXPECT_EQ(run.status, problems ? 1 : 0) << "round " << round;
    }
}

}  // namespace
