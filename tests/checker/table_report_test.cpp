// Problems across lines (overlapping bytes, duplicate names, unread definitions, blank pages),
// the summary and the exit statuses.
#include <gtest/gtest.h>

#include <string>

#include "checker/check_config.h"
#include "checker/checker_run.h"
#include "support/temp_files.h"

namespace {

// A definition of an int32 parameter "P<i>" at address 6 * i: a hundred of them fit side by side.
std::string numbered(int i)
{
    return "Name=\"P" + std::to_string(i) + "\" Description=\"d\" Address=" + std::to_string(6 * i) +
           " Type=int32\n";
}

std::string numbered_lines(int from, int to)
{
    std::string s;
    for (int i = from; i < to; ++i) s += numbered(i);
    return s;
}

std::string last_lines(const CheckRun& run, size_t count)
{
    std::vector<std::string> lines = run.lines();
    std::string s;
    for (size_t i = lines.size() - count; i < lines.size(); ++i) s += lines[i] + "\n";
    return s;
}

TEST(TableReport, OverlapsNeedSharedStoredBytes)
{
    EXPECT_EQ(definition_findings("Name=\"A\" Description=\"a\" Address=0 Type=int16\n"
                                  "Name=\"B\" Description=\"b\" Address=4 Type=int8\n"     // touches A, no overlap
                                  "Name=\"Gap\" Description=\"g\" Address=0 Type=empty\n"  // stores nothing
                                  "Name=\"C\" Description=\"c\" Address=6 Type=time\n"
                                  "Name=\"D\" Description=\"d\" Address=1 Type=int32\n"),
              "Pelox.ini:2: parameter 1 \"A\": page 1 row 1, int16, DisplayOnly, default 0, bytes 0-3, block 0\n"
              "Pelox.ini:3: parameter 2 \"B\": page 1 row 2, int8, DisplayOnly, default 0, bytes 4-6, block 1\n"
              "Pelox.ini:4: parameter 3 \"Gap\": page 1 row 3, empty (row hidden), DisplayOnly, default 0, "
              "no stored bytes\n"
              "Pelox.ini:5: parameter 4 \"C\": page 1 row 4, time, DisplayOnly, default 0, bytes 6-11, blocks 1-2\n"
              "Pelox.ini:6: parameter 5 \"D\": page 1 row 5, int32, DisplayOnly, default 0, bytes 1-6, "
              "blocks 0-1\n"
              "Pelox.ini:5: overlap: byte 6 of \"C\" (parameter 4) also belongs to \"B\" (parameter 2, line 3)\n"
              "Pelox.ini:6: overlap: bytes 1-3 of \"D\" (parameter 5) also belong to \"A\" (parameter 1, line 2)\n"
              "Pelox.ini:6: overlap: bytes 4-6 of \"D\" (parameter 5) also belong to \"B\" (parameter 2, line 3)\n"
              "Pelox.ini:6: overlap: byte 6 of \"D\" (parameter 5) also belongs to \"C\" (parameter 4, line 5)\n");
}

TEST(TableReport, DuplicateNamesOfShownRows)
{
    std::string findings = definition_findings("Name=\"X\" Description=\"1\" Address=0 Type=int8\n"
                                               "Name=\"x\" Description=\"2\" Address=4 Type=int8\n"
                                               "Name=\"X\" Description=\"3\" Address=8 Type=empty\n"
                                               "Name=\"X\" Description=\"4\" Address=12 Type=int8\n"
                                               "Name=\"X\" Description=\"5\" Address=16 Type=int8\n");
    EXPECT_EQ(findings.substr(findings.find("Pelox.ini:5: duplicate")),
              "Pelox.ini:5: duplicate name: parameter 4 \"X\" has the name of parameter 1 (line 2)\n"
              "Pelox.ini:6: duplicate name: parameter 5 \"X\" has the name of parameter 1 (line 2)\n");
}

TEST(TableReport, DefinitionsAfterTheHundredthAreNeverRead)
{
    CheckRun run = run_check("Pwd=1 set=1\n" + numbered_lines(0, 100) + "# the end\n\n" + numbered(100) +
                             "Name=\"Q\" Description=\"q\" Type=int8\n" + std::string(300, 'y'));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(last_lines(run, 7),
              "Pelox.ini:101: parameter 100 \"P99\": page 5 row 20, int32, DisplayOnly, default 0, bytes 594-599, "
              "blocks 148-149\n"
              "Pelox.ini:102: comment\n"
              "Pelox.ini:104: never read: the tool stops after 100 parameters; this would be \"P100\"\n"
              "Pelox.ini:105: never read: the tool stops after 100 parameters; this would be skipped anyway: "
              "no Address=\n"
              "Pelox.ini:106: never read: the tool stops after 100 parameters; this would be skipped anyway: "
              "no Name=\"\n"
              "Pelox.ini:106:255: never read: the tool stops after 100 parameters; this would be skipped anyway: "
              "no Name=\"\n"
              "Pelox.ini: summary: parameters 100, skipped 0, comments 1, blank 1, never read 4, overlaps 0, "
              "duplicate names 0, empty pages 0, warnings 0, notes 0: problems found\n");
}

TEST(TableReport, PagesWithoutAVisibleRow)
{
    // Forty parameters: the scroll bar reaches a third page that holds none.
    EXPECT_EQ(last_lines(run_check("Pwd=1 set=1\n" + numbered_lines(0, 40)), 2),
              "Pelox.ini:41: empty page: page 3 has no parameters, yet with 40 parameters the scroll bar reaches "
              "it\n"
              "Pelox.ini: summary: parameters 40, skipped 0, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 1, warnings 0, notes 0: ok\n");
    // Twenty: there is no scroll bar, so the empty second page cannot be reached.
    EXPECT_EQ(run_check("Pwd=1 set=1\n" + numbered_lines(0, 20)).text.find("empty page:"), std::string::npos);
    std::string gaps;
    for (int i = 0; i < 5; ++i) gaps += "Name=\"G\" Description=\"g\" Address=0 Type=empty\n";
    EXPECT_EQ(last_lines(run_check("Pwd=1 set=1\n" + numbered_lines(0, 20) + gaps), 2),
              "Pelox.ini:22: empty page: page 2 holds only empty parameters (21 to 25) and shows no row\n"
              "Pelox.ini: summary: parameters 25, skipped 0, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 1, warnings 0, notes 0: ok\n");
}

TEST(TableReport, ExitStatuses)
{
    const std::string ok = "Pwd=1 set=1\nName=\"A\" Description=\"a\" Address=0 Type=int8\n";
    // Comments, blank lines, notes, warnings, duplicates and empty pages do not fail a file.
    EXPECT_EQ(run_check(ok).status, CHECK_OK);
    EXPECT_EQ(run_check("Pwd=1\n# c\n\n   \nName=\"A\" Description=\"Default\" Address=0 Type=int8\n").status,
              CHECK_OK);
    EXPECT_EQ(run_check(ok + "Name=\"A\" Description=\"b\" Address=4 Type=int8\n").status, CHECK_OK);
    EXPECT_EQ(run_check(ok + "Name=\"B\" Description=\"b\" Address=4 Type=uint8\n").status, CHECK_PROBLEMS);
    EXPECT_EQ(run_check(ok + "\t#Name=\"B\"\n").status, CHECK_PROBLEMS);
    EXPECT_EQ(run_check(ok + "Name=\"B\" Description=\"b\" Address=2 Type=int8\n").status, CHECK_PROBLEMS);

    TempFolder folder;
    std::string missing = folder.path() + "Missing.ini";
    FILE* out = tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(check_config(missing.c_str(), out), CHECK_UNREADABLE);
    EXPECT_EQ(check_config(folder.path().c_str(), out), CHECK_UNREADABLE);  // a folder
    rewind(out);
    char line[512] = {};
    ASSERT_NE(fgets(line, sizeof line, out), nullptr);
    EXPECT_EQ(std::string(line).rfind(missing + ": error: cannot read the file", 0), 0u) << line;
    fclose(out);
}

}  // namespace
