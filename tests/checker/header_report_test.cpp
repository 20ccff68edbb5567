// The header line: the settings as the tool takes them and the warnings for what it missed.
#include <gtest/gtest.h>

#include "checker/checker_run.h"

namespace {

std::string header_findings(const std::string& header)
{
    return lines_with(run_check(header), "Pelox.ini:1: ");
}

TEST(HeaderReport, SettingsAndFieldsNotRead)
{
    const std::string noRows = "Pelox.ini:1: empty page: no parameters, the window shows no rows\n";
    EXPECT_EQ(header_findings("Pwd=1A2B3C4D set=1\n"),
              "Pelox.ini:1: header: password 1A2B3C4D, ssec button shown, scanning off\n" + noRows);
    EXPECT_EQ(header_findings("Pwd=-1 set=-3 scan\n"),
              "Pelox.ini:1: header: password FFFFFFFF, ssec button shown, scanning on every 1000 ms\n"
              "Pelox.ini:1: warning: no usable number after \"scan\": period 1000 ms\n" +
                  noRows);
    EXPECT_EQ(header_findings("Pwd=1 set=0 scan 5"),
              "Pelox.ini:1: header: password 00000001, ssec button hidden, scanning on every 10 ms\n"
              "Pelox.ini:1: warning: scan period below 10 ms raised to 10 ms\n" +
                  noRows);
    EXPECT_EQ(header_findings("Pwd=12 set=on\n"),
              "Pelox.ini:1: header: password 00000012, ssec button hidden, scanning off\n"
              "Pelox.ini:1: warning: \"set=\" not read (it must follow the password, with a decimal number): "
              "ssec button hidden\n" +
                  noRows);
    EXPECT_EQ(header_findings(" set=1 Pwd=123456789\n"),
              "Pelox.ini:1: header: password 00000000, ssec button hidden, scanning off\n"
              "Pelox.ini:1: warning: \"Pwd=\" not read (it must start the line, followed by at most 8 "
              "hexadecimal digits): password 00000000\n"
              "Pelox.ini:1: warning: \"set=\" not read, since the password was not: ssec button hidden\n" +
                  noRows);
    CheckRun empty = run_check("");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.text, "Pelox.ini:1: header: password 00000000, ssec button hidden, scanning off\n"
                          "Pelox.ini:1: warning: the file is empty: no header line and no parameters\n" +
                              noRows +
                              "Pelox.ini: summary: parameters 0, skipped 0, comments 0, blank 0, never read 0, "
                              "overlaps 0, duplicate names 0, empty pages 1, warnings 1, notes 0: ok\n");
}

TEST(HeaderReport, FirstLineIsAlwaysTheWholeHeader)
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
              "Pelox.ini:2: parameter 1 \"B\": page 1 row 1, int8, DisplayOnly, default 0, bytes 4-6, block 1\n"
              "Pelox.ini: summary: parameters 1, skipped 1, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 0, warnings 3, notes 0: problems found\n");
    // Exactly 29 characters: only the line end is left over, which is no definition and no blank line.
    EXPECT_EQ(run_check("Pwd=1 set=1 scan 100 xxxxxxxx\r\n"
                        "Name=\"A\" Description=\"a\" Address=0 Type=int8\n")
                  .text,
              "Pelox.ini:1: header: password 00000001, ssec button shown, scanning on every 100 ms\n"
              "Pelox.ini:2: parameter 1 \"A\": page 1 row 1, int8, DisplayOnly, default 0, bytes 0-2, block 0\n"
              "Pelox.ini: summary: parameters 1, skipped 0, comments 0, blank 0, never read 0, overlaps 0, "
              "duplicate names 0, empty pages 0, warnings 0, notes 0: ok\n");
}

}  // namespace
