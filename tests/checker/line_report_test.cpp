// Definition lines: what each one became, the reason for every kind of skip, and the notes.
#include <gtest/gtest.h>

#include <string>

#include "checker/checker_run.h"

using namespace std::string_literals;

namespace {

TEST(LineReport, EveryReasonForASkip)
{
    EXPECT_EQ(definition_findings("Name=\"A\" Description=\"a\" Address=0 Type=int16 Changeable\n"
                                  "  # Name=\"old\" Description=\"a\" Address=0 Type=int8\n"
                                  "Description=\"d\" Address=4 Type=int8\n"
                                  "Name=B Description=\"d\" Address=4 Type=int8\n"
                                  "Name=\"C\" Address=4 Type=int8\n"
                                  "Name=\"C\" Description=d Address=4 Type=int8\n"
                                  "Name=\"D\" Description=\"d\" Type=int8\n"
                                  "Name=\"E\" Description=\"d\" Address=4294967296 Type=int8\n"
                                  "Name=\"F\" Description=\"d\" Address=4 Type=uint8\n"
                                  "Name=\"G\" Description=\"d\" Address=1019 Type=int32\n"
                                  "Name=\"H\" Description=\"d\" Address=-1 Type=int8\n"
                                  "Name=\"I\" Description=\"d\" Address=4 Type=int8 Default=2147483648\n"
                                  "Name=\"J\" Description=\"d\" Address=1018 Type=time Default=-2147483648\n"
                                  "Name=\"K\" Description=\"\" Address=-7 Type=empty\n"
                                  "Name=\"L\" Description=\"d\" Address=0x10 Type=int8\n"
                                  "Name=\"M\" Description=\"d\" Address=4 Type=int16 Default=5V\n"
                                  "Name=\"N\" Description=\"Address=1\" Address=16+1 Type=int8\n"
                                  "Name=\"O\" Description=\"d\" Address=8 Type=int8 Max=12V\n"
                                  "Name=\"P\" Description=\"d\" Address=8 Type=int8 Min=-200\n"
                                  "Name=\"Q\" Description=\"d\" Address=8 Type=int8 Min=5 Max=\"2\"\n"),
              "Pelox.ini:2: parameter 1 \"A\": page 1 row 1, int16, Changeable, default 0, bytes 0-3, block 0\n"
              "Pelox.ini:3: comment\n"
              "Pelox.ini:4: skipped: no Name=\"\n"
              "Pelox.ini:5: skipped: no Name=\" (Name= must be followed by a double quote)\n"
              "Pelox.ini:6: skipped: no Description=\"\n"
              "Pelox.ini:7: skipped: no Description=\" (Description= must be followed by a double quote)\n"
              "Pelox.ini:8: skipped: no Address=\n"
              "Pelox.ini:9: skipped: the Address= number does not fit 32 bits\n"
              "Pelox.ini:10: skipped: no known type (Type=int8, Type=int16, Type=int32, Type=time, Type=swver "
              "or Type=empty)\n"
              "Pelox.ini:11: skipped: stored bytes outside 0-1023 (Address=1019)\n"
              "Pelox.ini:12: skipped: stored bytes outside 0-1023 (Address=-1)\n"
              "Pelox.ini:13: skipped: the Default= number does not fit 32 bits\n"
              "Pelox.ini:14: parameter 2 \"J\": page 1 row 2, time, Default, default -2147483648, bytes "
              "1018-1023, blocks 254-255\n"
              "Pelox.ini:15: parameter 3 \"K\": page 1 row 3, empty (row hidden), DisplayOnly, default 0, "
              "no stored bytes\n"
              "Pelox.ini:16: skipped: Address=\"0x10\" is not a whole decimal number (digits alone, or between "
              "double quotes, ending at a blank, a comma, a semicolon or the line end)\n"
              "Pelox.ini:17: skipped: Default=\"5V\" is not a whole decimal number (digits alone, or between double "
              "quotes, ending at a blank, a comma, a semicolon or the line end)\n"
              // The number of the key outside the texts, not the first "Address=" of the line.
              "Pelox.ini:18: skipped: Address=\"16+1\" is not a whole decimal number (digits alone, or between "
              "double quotes, ending at a blank, a comma, a semicolon or the line end)\n"
              "Pelox.ini:19: skipped: Max=\"12V\" is not a whole decimal number (digits alone, or between double "
              "quotes, ending at a blank, a comma, a semicolon or the line end)\n"
              "Pelox.ini:20: skipped: Min=-200 does not fit int8 (-128 to 127)\n"
              "Pelox.ini:21: skipped: Min=5 is above Max=2\n");
}

TEST(LineReport, ModeKeywordsWhereNobodyMeantThem)
{
    EXPECT_EQ(definition_findings("Name=\"Mode\" Description=\"Default mode\" Address=0 Type=int8\n"
                                  "Name=\"Default\" Description=\"Default\" Address=4 Type=int8 Changeable\n"
                                  "Name=\"Cal\" Description=\"c\" Address=8 Type=int8 Changeable Default=-5\n"
                                  "Name=\"Lim\" Description=\"l\" Address=12 Type=int8 Default Changeable\n"
                                  "Name=\"Gain\" Description=\"Changeable on site\" Address=16 Type=int8\n"
                                  "Name=\"Off\" Description=\"o\" Address=20 Type=int8 Default Default=1\n"
                                  "Name=\"Nil\" Description=\"n\" Address=24 Type=int8 Default=, Changeable\n"),
              "Pelox.ini:2: parameter 1 \"Mode\": page 1 row 1, int8, DisplayOnly, default 0, bytes 0-2, block 0\n"
              "Pelox.ini:2: note: the description holds \"Default\": no longer taken as the mode\n"
              "Pelox.ini:3: parameter 2 \"Default\": page 1 row 2, int8, Changeable, default 0, bytes 4-6, block 1\n"
              "Pelox.ini:3: note: the name and the description hold \"Default\": no longer taken as the mode\n"
              "Pelox.ini:4: parameter 3 \"Cal\": page 1 row 3, int8, Default, default -5, bytes 8-10, block 2\n"
              "Pelox.ini:4: note: \"Changeable\" is overridden by \"Default=\": this is a Default row\n"
              "Pelox.ini:5: parameter 4 \"Lim\": page 1 row 4, int8, Default, default 0, bytes 12-14, block 3\n"
              "Pelox.ini:5: note: \"Changeable\" is overridden by \"Default\": this is a Default row\n"
              "Pelox.ini:6: parameter 5 \"Gain\": page 1 row 5, int8, DisplayOnly, default 0, bytes 16-18, block 4\n"
              "Pelox.ini:6: note: the description holds \"Changeable\": no longer taken as the mode\n"
              "Pelox.ini:7: parameter 6 \"Off\": page 1 row 6, int8, Default, default 1, bytes 20-22, block 5\n"
              "Pelox.ini:8: parameter 7 \"Nil\": page 1 row 7, int8, Default, default 0, bytes 24-26, block 6\n"
              "Pelox.ini:8: note: \"Changeable\" is overridden by \"Default=\": this is a Default row\n"
              "Pelox.ini:8: note: \"Default=\" without a number: default 0, as a bare \"Default\"\n");
}

// A keyword in another case is not read; a quoted number and Min= and Max= are.
TEST(LineReport, KeywordsInAnotherCaseAndValueRanges)
{
    EXPECT_EQ(definition_findings("Name=\"V\" Description=\"d\" Address=0 Type=int16 Default=\"3300\"\n"
                                  "Name=\"C\" Description=\"Changeable\" Address=4 Type=int8 changeable\n"
                                  "Name=\"D\" Description=\"d\" Address=8 Type=int8 DEFAULT=5\n"
                                  "Name=\"T\" Description=\"d\" Address=12 type=INT16\n"
                                  "Name=\"M\" Description=\"0 to 2\" Address=16 Type=int8 Changeable Min=0 Max=2\n"
                                  "Name=\"E\" Description=\"d\" Address=20 Type=int8 Default=9 Max=2\n"
                                  "Name=\"S\" Description=\"d\" Address=24 Type=swver Max=2\n"),
              "Pelox.ini:2: parameter 1 \"V\": page 1 row 1, int16, Default, default 3300, bytes 0-3, block 0\n"
              "Pelox.ini:3: parameter 2 \"C\": page 1 row 2, int8, DisplayOnly, default 0, bytes 4-6, block 1\n"
              "Pelox.ini:3: note: \"changeable\" is not the keyword \"Changeable\": keywords are case-sensitive, so "
              "the tool does not read it\n"
              "Pelox.ini:3: note: the description holds \"Changeable\": no longer taken as the mode\n"
              "Pelox.ini:4: parameter 3 \"D\": page 1 row 3, int8, DisplayOnly, default 0, bytes 8-10, block 2\n"
              "Pelox.ini:4: note: \"DEFAULT\" is not the keyword \"Default\": keywords are case-sensitive, so the "
              "tool does not read it\n"
              "Pelox.ini:5: skipped: no known type (Type=int8, Type=int16, Type=int32, Type=time, Type=swver or "
              "Type=empty)\n"
              "Pelox.ini:5: note: \"type=INT16\" is not the keyword \"Type=int16\": keywords are case-sensitive, "
              "so the tool does not read it\n"
              "Pelox.ini:6: parameter 4 \"M\": page 1 row 4, int8, Changeable, default 0, values 0 to 2 (Min=, "
              "Max=), bytes 16-18, block 4\n"
              "Pelox.ini:7: parameter 5 \"E\": page 1 row 5, int8, Default, default 9, values -128 to 2 (Min=, "
              "Max=), bytes 20-22, block 5\n"
              "Pelox.ini:7: note: default 9 is outside Min=-128 and Max=2: the def. button marks the box and "
              "writes nothing\n"
              "Pelox.ini:8: parameter 6 \"S\": page 1 row 6, swver, DisplayOnly, default 0, bytes 24-29, "
              "blocks 6-7\n"
              "Pelox.ini:8: note: Min= and Max= mean nothing for a swver row: its value is never written\n");
}

TEST(LineReport, FalseCommentsOpenQuotesNulBytesAndUnwritableRows)
{
    EXPECT_EQ(definition_findings("\t# Name=\"Old\" Description=\"o\" Address=0 Type=int8\n"
                                  " \t#just a remark\n"
                                  "Type=int8 Address=4 Description=\"d\" Name=\"open\n"
                                  "Name=\"N\" Address=8 Type=int8 Description=\"runs on\r\n"
                                  "Name=\"Z\" Description=\"z\" Address=12 Type=int8\0 Changeable\n"
                                  "\0Name=\"Y\"\n"s +
                                  "Name=\"Big\" Description=\"b\" Address=16 Type=int16 Default=40000\n"
                                  "Name=\"Ver\" Description=\"v\" Address=20 Type=swver Changeable\n"
                                  "Name=\"Sw\" Description=\"s\" Address=28 Type=swver\n"
                                  "Name=\"St\xF6r\xC3\xB6\" Description=\"d\" Address=34 Type=int8\n"),
              "Pelox.ini:2: comment\n"
              "Pelox.ini:3: comment\n"
              "Pelox.ini:4: parameter 1 \"open\\n\": page 1 row 1, int8, DisplayOnly, default 0, bytes 4-6, block 1\n"
              "Pelox.ini:4: note: the name has no closing double quote: it runs to the end of the line\n"
              "Pelox.ini:5: parameter 2 \"N\": page 1 row 2, int8, DisplayOnly, default 0, bytes 8-10, block 2\n"
              "Pelox.ini:5: note: the description has no closing double quote: it runs to the end of the line\n"
              "Pelox.ini:6: parameter 3 \"Z\": page 1 row 3, int8, DisplayOnly, default 0, bytes 12-14, block 3\n"
              "Pelox.ini:6: note: a NUL byte at character 46 ends the line for the tool\n"
              "Pelox.ini:7: skipped: no Name=\"\n"
              "Pelox.ini:7: note: a NUL byte at character 1 ends the line for the tool\n"
              "Pelox.ini:8: parameter 4 \"Big\": page 1 row 4, int16, Default, default 40000, bytes 16-19, block 4\n"
              "Pelox.ini:8: note: default 40000 does not fit int16: the def. button marks the box and writes "
              "nothing\n"
              "Pelox.ini:9: parameter 5 \"Ver\": page 1 row 5, swver, Changeable, default 0, bytes 20-25, "
              "blocks 5-6\n"
              "Pelox.ini:9: note: swver values cannot be written: the row's button has no caption and stays disabled\n"
              "Pelox.ini:10: parameter 6 \"Sw\": page 1 row 6, swver, DisplayOnly, default 0, bytes 28-33, "
              "blocks 7-8\n"
              // A byte that is no UTF-8 (the ANSI code page's) escaped, a UTF-8 character as it is.
              "Pelox.ini:11: parameter 7 \"St\\xF6r\xC3\xB6\": page 1 row 7, int8, DisplayOnly, default 0, bytes "
              "34-36, blocks 8-9\n"
              "Pelox.ini:1: note: the text is not UTF-8: names and descriptions are shown in the Windows code page "
              "(ANSI)\n");
}

TEST(LineReport, OverlongLinesContinueOnTheSamePhysicalLine)
{
    std::string head = "Name=\"L\" Description=\"d\" Address=8 Type=int16 ";
    std::string line254 = head + std::string(254 - head.size(), 'x');
    EXPECT_EQ(definition_findings(line254 + "Changeable\n" +        // 264 characters
                                  std::string(254, ' ') + "\r\n" +  // exactly 254: nothing left over
                                  std::string(554, '#') + "\n" + "Name=\"M\" Description=\"m\" Address=16 Type=int8"),
              "Pelox.ini:2: parameter 1 \"L\": page 1 row 1, int16, DisplayOnly, default 0, bytes 8-11, block 2\n"
              "Pelox.ini:2:255: skipped: no Name=\"\n"
              "Pelox.ini:2:255: note: the line is longer than 254 characters: characters 255-264 are read as a "
              "separate line\n"
              "Pelox.ini:4: comment\n"
              "Pelox.ini:4:255: comment\n"
              "Pelox.ini:4:255: note: the line is longer than 254 characters: characters 255-508 are read as a "
              "separate line\n"
              "Pelox.ini:4:509: comment\n"
              "Pelox.ini:4:509: note: the line is longer than 254 characters: characters 509-554 are read as a "
              "separate line\n"
              "Pelox.ini:5: parameter 2 \"M\": page 1 row 2, int8, DisplayOnly, default 0, bytes 16-18, block 4\n");
}

}  // namespace
