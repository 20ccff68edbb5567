// The header line: the settings as the tool takes them and the warnings for what it missed.
#include <gtest/gtest.h>

#include <string>

#include "checker/checker_run.h"

namespace {

// Header findings of a file that has nothing else.
std::string header_findings(const std::string& header)
{
    CheckRun run = run_check(header);
    EXPECT_EQ(run.status, 0) << header;
    const std::string tail = "Pelox.ini:1: empty page: no parameters, the window shows no rows\n";
    size_t at = run.text.find(tail);
    return at == std::string::npos ? run.text : run.text.substr(0, at);
}

TEST(HeaderReport, SettingsAsTheToolReadsThem)
{
    EXPECT_EQ(header_findings("Pwd=1A2B3C4D set=1\n"),
              "Pelox.ini:1: header: password 1A2B3C4D, ssec button shown, scanning off\n");
    EXPECT_EQ(header_findings("Pwd=0xbeef set=0 scan 250\r\n"),
              "Pelox.ini:1: header: password 0000BEEF, ssec button hidden, scanning on every 250 ms\n");
    EXPECT_EQ(header_findings("Pwd=-1 set=-3 scan\n"),
              "Pelox.ini:1: header: password FFFFFFFF, ssec button shown, scanning on every 1000 ms\n"
              "Pelox.ini:1: warning: no usable number after \"scan\": period 1000 ms\n");
    EXPECT_EQ(header_findings("Pwd=1 set=1 scan 5"),
              "Pelox.ini:1: header: password 00000001, ssec button shown, scanning on every 10 ms\n"
              "Pelox.ini:1: warning: scan period below 10 ms raised to 10 ms\n");
}

TEST(HeaderReport, FieldsNotRead)
{
    EXPECT_EQ(header_findings("Pwd=12 set=on\n"),
              "Pelox.ini:1: header: password 00000012, ssec button hidden, scanning off\n"
              "Pelox.ini:1: warning: \"set=\" not read (it must follow the password, with a decimal number): "
              "ssec button hidden\n");
    EXPECT_EQ(header_findings(" set=1 Pwd=123456789\n"),
              "Pelox.ini:1: header: password 00000000, ssec button hidden, scanning off\n"
              "Pelox.ini:1: warning: \"Pwd=\" not read (it must start the line, followed by at most 8 "
              "hexadecimal digits): password 00000000\n"
              "Pelox.ini:1: warning: \"set=\" not read, since the password was not: ssec button hidden\n");
    CheckRun empty = run_check("");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.text, "Pelox.ini:1: header: password 00000000, ssec button hidden, scanning off\n"
                          "Pelox.ini:1: warning: the file is empty: no header line and no parameters\n"
                          "Pelox.ini:1: empty page: no parameters, the window shows no rows\n"
                          "Pelox.ini: summary: parameters 0, skipped 0, comments 0, blank 0, never read 0, "
                          "overlaps 0, duplicate names 0, empty pages 1, warnings 1, notes 0: ok\n");
}

TEST(HeaderReport, TheFirstLineIsAlwaysTheHeader)
{
    CheckRun run = run_check("Name=\"A\" Description=\"a\" Address=0 Type=int8\n"
                             "Name=\"B\" Description=\"b\" Address=4 Type=int8\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.text,
              "Pelox.ini:1: header: password 00000000, ssec button hidden, scanning off\n"
              "Pelox.ini:1: warning: \"Pwd=\" not read (it must start the line, followed by at most 8 hexadecimal "
              "digits): password 00000000\n"
              "Pelox.ini:1: warning: \"set=\" not read, since the password was not: ssec button hidden\n"
              "Pelox.ini:1: warning: the first line is always the header: this definition is not loaded\n"
              "Pelox.ini:1:30: skipped: no Name=\"\n"
              "Pelox.ini:1:30: warning: the header is longer than 29 characters: characters 30-44 are read as a "
              "definition line\n"
              "Pelox.ini:2: parameter 1 \"B\": page 1 row 1, int8, DisplayOnly, default 0, bytes 4-6, block 1\n"
              "Pelox.ini: summary: parameters 1, skipped 1, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 0, warnings 4, notes 0: problems found\n");
}

TEST(HeaderReport, LongHeaders)
{
    // Exactly 29 characters: only the line end is left over, which is no definition.
    CheckRun exact = run_check("Pwd=1 set=1 scan 100 xxxxxxxx\r\n"
                               "Name=\"A\" Description=\"a\" Address=0 Type=int8\n");
    ASSERT_EQ(exact.lines().size(), 3u);
    EXPECT_EQ(exact.lines()[1],
              "Pelox.ini:2: parameter 1 \"A\": page 1 row 1, int8, DisplayOnly, default 0, bytes 0-2, block 0");
    // Past 29 characters the rest is a definition line, and "scan" there is not read.
    EXPECT_EQ(run_check("Pwd=1 set=1 ........ again scan 100\n").text,
              "Pelox.ini:1: header: password 00000001, ssec button shown, scanning off\n"
              "Pelox.ini:1:30: skipped: no Name=\"\n"
              "Pelox.ini:1:30: warning: the header is longer than 29 characters: characters 30-35 are read as a "
              "definition line\n"
              "Pelox.ini:1: empty page: no parameters, the window shows no rows\n"
              "Pelox.ini: summary: parameters 0, skipped 1, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 1, warnings 1, notes 0: problems found\n");
}

}  // namespace
