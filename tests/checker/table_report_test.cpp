// Problems across lines (overlapping bytes, duplicate names, unread definitions, blank pages),
// the summary and the exit statuses.
#include <gtest/gtest.h>

#include <string>

#include "checker/check_config.h"
#include "checker/checker_run.h"

namespace {

// Definitions of int32 parameters "P<i>" at address 6 * i: a hundred of them fit side by side.
std::string numbered(int from, int to)
{
    std::string s = "Pwd=1 set=1\n";
    for (int i = from; i < to; ++i)
        s += "Name=\"P" + std::to_string(i) + "\" Description=\"d\" Address=" + std::to_string(6 * i) + " Type=int32\n";
    return s;
}

TEST(TableReport, OverlapsNeedSharedStoredBytes)
{
    CheckRun run = run_check("Pwd=1 set=1\n"
                             "Name=\"A\" Description=\"a\" Address=0 Type=int16\n"
                             "Name=\"B\" Description=\"b\" Address=4 Type=int8\n"     // touches A, no overlap
                             "Name=\"Gap\" Description=\"g\" Address=0 Type=empty\n"  // stores nothing
                             "Name=\"C\" Description=\"c\" Address=6 Type=time\n"
                             "Name=\"D\" Description=\"d\" Address=1 Type=int32\n");
    EXPECT_EQ(run.status, CHECK_PROBLEMS);
    EXPECT_EQ(lines_with(run, ": overlap: "),
              "Pelox.ini:5: overlap: byte 6 of \"C\" (parameter 4) also belongs to \"B\" (parameter 2, line 3)\n"
              "Pelox.ini:6: overlap: bytes 1-3 of \"D\" (parameter 5) also belong to \"A\" (parameter 1, line 2)\n"
              "Pelox.ini:6: overlap: bytes 4-6 of \"D\" (parameter 5) also belong to \"B\" (parameter 2, line 3)\n"
              "Pelox.ini:6: overlap: byte 6 of \"D\" (parameter 5) also belongs to \"C\" (parameter 4, line 5)\n");
}

TEST(TableReport, DuplicateNamesOfShownRows)
{
    CheckRun run = run_check("Pwd=1 set=1\n"
                             "Name=\"X\" Description=\"1\" Address=0 Type=int8\n"
                             "Name=\"x\" Description=\"2\" Address=4 Type=int8\n"
                             "Name=\"X\" Description=\"3\" Address=8 Type=empty\n"
                             "Name=\"X\" Description=\"4\" Address=12 Type=int8\n"
                             "Name=\"X\" Description=\"5\" Address=16 Type=int8\n");
    EXPECT_EQ(run.status, CHECK_PROBLEMS);  // a set or --number could mean either
    EXPECT_EQ(lines_with(run, ": duplicate name: "),
              "Pelox.ini:5: duplicate name: parameter 4 \"X\" has the name of parameter 1 (line 2)\n"
              "Pelox.ini:6: duplicate name: parameter 5 \"X\" has the name of parameter 1 (line 2)\n");
}

TEST(TableReport, DefinitionsAfterTheHundredthAreNeverRead)
{
    CheckRun run = run_check(numbered(0, 100) + "# the end\n\nName=\"P100\" Description=\"d\" Address=600 Type=int8\n" +
                             "Name=\"Q\" Description=\"q\" Type=int8\n" + std::string(300, 'y'));
    EXPECT_EQ(run.status, CHECK_PROBLEMS);
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
    CheckRun forty = run_check(numbered(0, 40));
    EXPECT_EQ(forty.status, CHECK_OK);
    EXPECT_EQ(lines_with(forty, ": empty page: "),
              "Pelox.ini:41: empty page: page 3 has no parameters, yet with 40 parameters the scroll bar reaches "
              "it\n");
    // Twenty: there is no scroll bar, so the empty second page cannot be reached.
    EXPECT_EQ(lines_with(run_check(numbered(0, 20)), ": empty page: "), "");
    std::string gaps;
    for (int i = 0; i < 5; ++i) gaps += "Name=\"G\" Description=\"g\" Address=0 Type=empty\n";
    EXPECT_EQ(lines_with(run_check(numbered(0, 20) + gaps), ": empty page: "),
              "Pelox.ini:22: empty page: page 2 holds only empty parameters (21 to 25) and shows no row\n");
}

TEST(TableReport, ExitStatuses)
{
    // Comments, blank lines, notes and warnings do not fail a file; a skip does.
    EXPECT_EQ(run_check("Pwd=1\n# c\n\n   \nName=\"A\" Description=\"Default\" Address=0 Type=int8\n").status,
              CHECK_OK);
    EXPECT_EQ(run_check(numbered(0, 1) + "Name=\"B\" Description=\"b\" Address=4 Type=uint8\n").status, CHECK_PROBLEMS);
    EXPECT_EQ(run_check(numbered(0, 1) + "\t#Name=\"B\"\n").status, CHECK_OK);  // blanks and tabs before "#"
}

}  // namespace
