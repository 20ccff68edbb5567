// Writing a row's parameter: typed or default value, range checks, the bytes that reach the
// tag, the mark and the box text afterwards.
#include <gtest/gtest.h>

#include "dialog/marking.h"
#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "support/program_fixture.h"
#include "support/reference_image.h"
#include "support/time_zone.h"

namespace {

using Requests = std::vector<std::string>;

class Write : public ProgramTest {
protected:
    // Types text into row's box and presses its button.
    static void type_and_press(int row, const char* text)
    {
        set_field_text(1100 + row, text);
        write_param(row);
    }
};

TEST_F(Write, ChangeableInt8AtTheLimit)
{
    add_param("a", ParamType::int8, 8, EditMode::Changeable);
    password = 0xA1B2C3D4;
    type_and_press(0, "127");
    // The write, then its block read back and shown as the tag holds it.
    EXPECT_EQ(requests(), (Requests{"02B30201A1B2C3D4", "022002", "0221027F6E88FF", "022002"}));
    EXPECT_EQ(hex_bytes(memory(8, 4)), "7F 6E 88 FF");
    EXPECT_STREQ(fake_text(1100), "127");
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_EQ(fakeWindow.focus, 1100);
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 0);  // no whole refresh
}

TEST_F(Write, OutOfRangeMarksAndSendsNothing)
{
    add_param("a", ParamType::int8, 0, EditMode::Changeable);
    add_param("b", ParamType::int16, 4, EditMode::Changeable);
    add_param("c", ParamType::int32, 8, EditMode::Changeable);
    struct Case {
        int row;
        const char* text;
    } cases[] = {{0, "128"}, {0, "-129"}, {1, "32768"}, {1, "-32769"}, {2, "2147483648"}, {2, "-99999999999"}};
    for (const Case& c : cases) {
        fakeWindow.focus = 0;
        type_and_press(c.row, c.text);
        EXPECT_EQ(box_mark(1100 + c.row), BoxMark::error) << c.text;
        EXPECT_EQ(fakeWindow.focus, 1100 + c.row) << c.text;
        EXPECT_STREQ(fake_text(1100 + c.row), c.text);
        EXPECT_NE(strstr(fake_control(1100 + c.row).tip, "outside the range"), nullptr)
            << fake_control(1100 + c.row).tip;
    }
    EXPECT_TRUE(requests().empty());
}

TEST_F(Write, TypedTextMustBeOneWholeNumber)
{
    add_param("a", ParamType::int16, 0, EditMode::Changeable);
    type_and_press(0, " ");
    type_and_press(0, "");
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_EQ(fakeWindow.focus, 0);  // nothing typed: no sign at all

    // Read up to their first odd character these would write 0, 1, 12, 1, 12, 12: refused.
    for (const char* text : {"0x7F", "1.9e2", " 12abc", "1,500", "\t+12kg", "12 3", "abc", "-"}) {
        fakeWindow.focus = 0;
        type_and_press(0, text);
        EXPECT_EQ(first_red_box(), 1100) << text;
        EXPECT_EQ(fakeWindow.focus, 1100) << text;
        EXPECT_STREQ(fake_text(1100), text);
        EXPECT_NE(strstr(fake_control(1100).tip, "is not a whole number"), nullptr) << text;
    }
    EXPECT_TRUE(requests().empty());

    type_and_press(0, " -5 ");
    EXPECT_EQ(hex_bytes(memory(0, 4)), "FF FB CC C4");
    EXPECT_STREQ(fake_text(1100), "-5");  // as stored
    EXPECT_EQ(first_red_box(), NO_FIELD);
    type_and_press(0, "\t+0012");
    EXPECT_EQ(hex_bytes(memory(0, 2)), "00 0C");
}

TEST_F(Write, BoxTextLongerThanTheToolReadsIsRefused)
{
    add_param("a", ParamType::int32, 0, EditMode::Changeable);
    type_and_press(0, (std::string(70, '0') + "7").c_str());  // cut at 63 characters it read 0
    EXPECT_EQ(first_red_box(), 1100);
    EXPECT_TRUE(requests().empty());
    type_and_press(0, (std::string(62, '0') + "7").c_str());  // 63 characters are read whole
    EXPECT_EQ(hex_bytes(memory(0, 4)), "00 00 00 07");
    EXPECT_EQ(first_red_box(), NO_FIELD);
}

TEST_F(Write, DefaultInt32WritesItsDefaultAndShowsIt)
{
    add_param("a", ParamType::int32, 12, EditMode::Default, 1000);
    set_field_text(1100, "Not set");
    write_param(0);
    EXPECT_EQ(hex_bytes(memory(12, 6)), "00 00 03 E8 DC B9");
    EXPECT_STREQ(fake_text(1100), "1000");
    EXPECT_EQ(first_red_box(), NO_FIELD);
}

TEST_F(Write, DefaultOutOfItsTypesRange)
{
    add_param("a", ParamType::int8, 0, EditMode::Default, 200);
    set_field_text(1100, "12");
    write_param(0);
    EXPECT_EQ(first_red_box(), 1100);
    EXPECT_EQ(fakeWindow.focus, 1100);
    EXPECT_STREQ(fake_text(1100), "12");
    EXPECT_TRUE(requests().empty());
}

TEST_F(Write, TimeTakesTheShownDateOrSecondsAndShowsWhatWasStored)
{
    set_time_zone("CET-1");
    add_param("t", ParamType::time, 4, EditMode::Changeable);
    type_and_press(0, "0");
    EXPECT_EQ(hex_bytes(memory(4, 6)), "00 00 00 00 84 C0");
    EXPECT_STREQ(fake_text(1100), "1970-01-01 01:00:00");
    type_and_press(0, " 2023-11-14 23:13:20 ");
    EXPECT_EQ(hex_bytes(memory(4, 6)), hex_bytes(reference_image(1700000000, 4)));
    EXPECT_STREQ(fake_text(1100), "2023-11-14 23:13:20");
    EXPECT_STREQ(fake_control(1100).tip, "2023-11-14 23:13:20");  // wider than the box: whole in its tip
    type_and_press(0, "2038-01-19 04:14:07");                     // the last second of 32 bits
    EXPECT_EQ(hex_bytes(memory(4, 4)), "7F FF FF FF");
    EXPECT_EQ(first_red_box(), NO_FIELD);

    // A date read as a number up to its first "-" would have stored 2023 seconds.
    sim_clear_log();
    const char* refused[] = {"2024-02-30 12:00:00",  "2023-02-29 12:00:00", "2024-01-01 25:00:00",
                             "2024-01-01 12:60:00",  "2024-1-1 12:00:00",   "2023-11-14T23:13:20",
                             "2023-11-14 23:13",     "2038-01-19 04:14:08", "2147483648",
                             "2023-11-14 23:13:20 x"};
    for (const char* text : refused) {
        type_and_press(0, text);
        EXPECT_EQ(first_red_box(), 1100) << text;
        EXPECT_NE(strstr(fake_control(1100).tip, text), nullptr) << fake_control(1100).tip;  // the whole text refused
    }
    EXPECT_TRUE(requests().empty());

    ParamTable[0].mode = EditMode::Default;
    ParamTable[0].defaultValue = 42;
    write_param(0);
    EXPECT_EQ(hex_bytes(memory(4, 6)), "00 00 00 2A DB 25");
    EXPECT_STREQ(fake_text(1100), "1970-01-01 01:00:42");
}

// Pressing "set" on a time row as the refresh left it stores the same value, bit for bit: also
// times the runtime shows as plain seconds, and the hour that the end of summer time repeats.
TEST_F(Write, AnUntouchedTimeIsWrittenBackUnchanged)
{
    add_param("t", ParamType::time, 0, EditMode::Changeable);
    struct Zone {
        const char* tz;
        std::vector<int32_t> values;
    };
    std::vector<Zone> zones = {{"CET-1", {1700000000, 0, -1, INT32_MAX, INT32_MIN}}};
#ifndef _WIN32  // the Windows runtime knows no rules for the change of summer time
    // 2023-10-29 02:30 happens twice in Central Europe: first in summer time, then in winter time.
    zones.push_back({"CET-1CEST,M3.5.0,M10.5.0/3", {1698539400, 1698543000}});
#endif
    for (const Zone& zone : zones) {
        set_time_zone(zone.tz);
        for (int32_t value : zone.values) {
            std::vector<uint8_t> image = reference_image(static_cast<uint32_t>(value), 4);
            put_memory(0, image);
            refresh_page();
            std::string shown = fake_text(1100);
            write_param(0);
            EXPECT_EQ(hex_bytes(memory(0, 6)), hex_bytes(image)) << zone.tz << ": " << value << " shown as " << shown;
            EXPECT_EQ(first_red_box(), NO_FIELD) << value;
        }
    }
}

TEST_F(Write, FailedThenSuccessfulWriteOfOneRow)
{
    add_param("a", ParamType::int16, 0, EditMode::Changeable);
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_BLOCK, 1, 0x12));
    type_and_press(0, "5");
    EXPECT_EQ(first_red_box(), 1100);
    EXPECT_EQ(colour_query(1100), BoxColour::error);
    EXPECT_EQ(colour_query(1100), BoxColour::error);  // red on every repaint while marked
    EXPECT_STREQ(fake_control(1100).tip,
                 "The tag refused block 0: the value was not written there (a protected sector?).");
    type_and_press(0, "6");
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_EQ(colour_query(1100), BoxColour::verified);  // read back as written
    EXPECT_STREQ(fake_control(1100).tip, "");
    EXPECT_EQ(hex_bytes(memory(0, 2)), "00 06");
    refresh_page();  // read again: the green ends
    EXPECT_EQ(colour_query(1100), BoxColour::ordinary);
    EXPECT_EQ(colour_query(1100), BoxColour::system);
}

TEST_F(Write, ReaderGoneDuringTheWriteMarksTheBox)
{
    add_param("a", ParamType::int32, 2, EditMode::Changeable);
    std::vector<uint8_t> before = whole_memory();
    sim_leave_field_after(3);  // password, two reads; the first block write finds no tag
    type_and_press(0, "77");
    EXPECT_EQ(first_red_box(), 1100);
    EXPECT_EQ(whole_memory(), before);
}

TEST_F(Write, SoftwareVersionsAreNotWritten)
{
    add_param("sw", ParamType::swver, 0, EditMode::DisplayOnly);
    add_param("sw2", ParamType::swver, 8, EditMode::Changeable);
    set_field_text(1100, "1.2.3");
    write_param(0);
    EXPECT_STREQ(fake_text(1100), "Unknown Type");
    type_and_press(1, "5");
    EXPECT_STREQ(fake_text(1101), "Unknown Type");
    EXPECT_EQ(first_red_box(), NO_FIELD);
    EXPECT_TRUE(requests().empty());
}

TEST_F(Write, DisplayOnlyParametersAreNeverWritten)
{
    // A button left enabled by the page before must not write that page's value here.
    add_param("hours", ParamType::int32, 0, EditMode::DisplayOnly);
    std::vector<uint8_t> before = whole_memory();
    type_and_press(0, "12");
    EXPECT_TRUE(requests().empty());
    EXPECT_EQ(whole_memory(), before);
    EXPECT_EQ(first_red_box(), NO_FIELD);
}

TEST_F(Write, RowsOfLaterPagesAndUnusedSlots)
{
    fill_table(21);
    currentPage = 1;
    type_and_press(0, "3");
    EXPECT_EQ(hex_bytes(memory(80, 1)), "03");
    type_and_press(1, "3");  // an unused record: no type
    EXPECT_STREQ(fake_text(1101), "Unknown Type");
    write_param(-1);
    write_param(20);
    EXPECT_EQ(sim_calls(SIM_WRITE_BLOCK), 1);
}

}  // namespace
