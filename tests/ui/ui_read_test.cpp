// Reading a page: values of every type, "Not set", "No answer", the caption with the UID, the
// row buttons and read-only boxes, the security button's visibility, and scanning.
#include <gtest/gtest.h>

#include <time.h>

#include <string>

#include "sim/sim_tag.h"
#include "ui/ui_config.h"
#include "ui/ui_session.h"

namespace {

const char kUidCaption[] = "ORVELTIDE      E002C0FFEE123456   ";

const std::string kRows = "Name=\"I8\" Description=\"int8 shown\" Address=0 Type=int8\r\n"
                          "Name=\"I16\" Description=\"int16 typed\" Address=4 Type=int16 Changeable\r\n"
                          "Name=\"I32\" Description=\"int32 fixed\" Address=8 Type=int32 Default=7\r\n"
                          "Name=\"Time\" Description=\"a date\" Address=16 Type=time Changeable\r\n"
                          "Name=\"Ver\" Description=\"version\" Address=24 Type=swver\r\n"
                          "Name=\"gap\" Description=\"never shown\" Address=32 Type=empty\r\n"
                          "Name=\"Blank\" Description=\"erased\" Address=40 Type=int16 Default\r\n"
                          "Name=\"Lost\" Description=\"beyond the tag\" Address=1000 Type=int8 Changeable\r\n";

void store_rows()
{
    sim_set_uid(0xE002C0FFEE123456ull);
    sim_set_block_count(200);  // "Lost" lies in block 250, which this tag does not have
    store_value(0, static_cast<uint32_t>(-5), 1);
    store_value(4, static_cast<uint32_t>(-300), 2);
    store_value(8, 123456789, 4);
    store_value(16, 31536000, 4);    // 1971-01-01 00:00:00 UTC
    store_value(24, 0x020A0100, 4);  // 2.10.256
}

TEST(Read, StartUpShowsEveryTypeWithItsButtonAndBox)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + kRows);
    s.set_up_tag(store_rows);
    ASSERT_TRUE(s.start());

    EXPECT_EQ(kUidCaption, s.caption());
    EXPECT_EQ("I8", s.text(1300));
    EXPECT_EQ("int8 shown", s.text(1400));
    EXPECT_TRUE(s.enabled(1300));
    EXPECT_TRUE(s.enabled(1400));

    EXPECT_EQ("-5", s.text(1100));
    EXPECT_EQ("-300", s.text(1101));
    EXPECT_EQ("123456789", s.text(1102));
    EXPECT_EQ(local_time_text(31536000), s.text(1103));
    EXPECT_EQ("2.10.256", s.text(1104));
    EXPECT_EQ("Not set", s.text(1106));
    EXPECT_EQ("No answer", s.text(1107));

    // Display-only: read-only box, disabled button without caption.
    EXPECT_TRUE(s.read_only(1100));
    EXPECT_TRUE(s.enabled(1100));
    EXPECT_FALSE(s.enabled(1200));
    EXPECT_EQ("", s.text(1200));
    // Changeable: editable box, "set".
    EXPECT_FALSE(s.read_only(1101));
    EXPECT_TRUE(s.enabled(1201));
    EXPECT_EQ("set", s.text(1201));
    // Default: read-only box, "def.", enabled even over erased memory.
    EXPECT_TRUE(s.read_only(1102));
    EXPECT_EQ("def.", s.text(1202));
    EXPECT_TRUE(s.enabled(1202));
    EXPECT_EQ("def.", s.text(1206));
    EXPECT_TRUE(s.enabled(1206));
    // A version's button keeps its template state; an unreadable one's is disabled.
    EXPECT_FALSE(s.enabled(1204));
    EXPECT_EQ("set", s.text(1207));
    EXPECT_FALSE(s.enabled(1207));

    // The empty record keeps its row, hidden; so are the rows past the last record.
    for (int base : {1100, 1200, 1300, 1400}) {
        EXPECT_FALSE(s.visible(base + 5)) << base + 5;
        EXPECT_TRUE(s.visible(base + 6)) << base + 6;
        for (int row = 8; row < 20; ++row) EXPECT_FALSE(s.visible(base + row)) << base + row;
    }
    EXPECT_TRUE(s.visible(1007));
    EXPECT_EQ(0, s.close());
}

TEST(Read, ReadButtonShowsWhatTheTagHoldsNow)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1) + kRows);
    s.set_up_tag(store_rows);
    ASSERT_TRUE(s.start());
    ASSERT_EQ("-300", s.text(1101));

    s.set_up_tag([] {
        store_rows();
        sim_set_uid(0xE002000000000001ull);
        store_value(4, 12, 2);
    });
    s.click(1005);
    EXPECT_EQ("12", s.text(1101));
    EXPECT_EQ("ORVELTIDE      E002000000000001   ", s.caption());
    EXPECT_EQ(0, s.close());
}

// Names and descriptions as their author wrote them: a UTF-8 file (Notepad, with its byte order
// mark) and one in the Windows code page show the same characters, in a folder of any name.
TEST(Read, NamesAndDescriptionsReachTheWindowAsWritten)
{
    for (const std::string& ini : {"\xEF\xBB\xBF" + ini_header(0, 1) +
                                       "Name=\"St\xC3\xB6r\" Description=\"Temperatur \xC2\xB0"
                                       "C\" Address=0 Type=int8\r\n",
                                   ini_header(0, 1) + "Name=\"St\xF6r\" Description=\"Temperatur \xB0"
                                                      "C\" Address=0 Type=int8\r\n"}) {
        PeloxSession s;
        s.write_ini(ini);
        ASSERT_TRUE(s.start());
        EXPECT_EQ(s.wide_text(1300), L"St\u00F6r");
        EXPECT_EQ(s.wide_text(1400), L"Temperatur \u00B0"
                                     L"C");
    }
}

TEST(Read, SetZeroHidesTheSecurityButton)
{
    PeloxSession s;
    s.write_ini(ini_header(0x1234, 0) + kRows);
    s.set_up_tag(store_rows);
    ASSERT_TRUE(s.start());
    EXPECT_FALSE(s.visible(1007));
    EXPECT_EQ("-5", s.text(1100));
    EXPECT_EQ(0, s.close());
}

TEST(Read, ScanningReadsThePageAgainOnEveryTick)
{
    PeloxSession s;
    s.write_ini(ini_header(0, 1, 200) + kRows);
    s.set_up_tag(store_rows);
    ASSERT_TRUE(s.start());
    ASSERT_EQ("-300", s.text(1101));

    s.set_up_tag([] {
        store_rows();
        store_value(0, 99, 1);
    });
    EXPECT_TRUE(s.wait_for_text(1100, "99"));

    // A number being typed is left alone while the ticks go on reading the other rows.
    s.type(1101, "777");
    s.set_up_tag([] {
        store_rows();
        store_value(0, 98, 1);
    });
    EXPECT_TRUE(s.wait_for_text(1100, "98"));
    EXPECT_EQ("777", s.text(1101));
    EXPECT_EQ(0, s.close());
}

}  // namespace
