// Writing a row's parameter: typed or default value, range checks, the bytes that reach the
// tag, the mark and the box text afterwards.
#include <gtest/gtest.h>

#include "dialog/surface.h"
#include "dialog/write.h"
#include "support/program_fixture.h"

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
    EXPECT_EQ(requests(), (Requests{"02B30201A1B2C3D4", "022002", "0221027F6E88FF"}));
    EXPECT_EQ(hex_bytes(memory(8, 4)), "7F 6E 88 FF");
    EXPECT_STREQ(fake_text(1100), "127");
    EXPECT_EQ(errorField, NO_FIELD);
    EXPECT_EQ(fakeWindow.focus, 1100);
    // A write is not followed by a refresh.
    EXPECT_EQ(sim_calls(SIM_SYSTEM_INFO), 0);
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
        EXPECT_EQ(errorField, 1100 + c.row) << c.text;
        EXPECT_EQ(fakeWindow.focus, 1100 + c.row) << c.text;
        EXPECT_STREQ(fake_text(1100 + c.row), c.text);
    }
    EXPECT_TRUE(requests().empty());
}

TEST_F(Write, TypedTextIsReadLikePercentD)
{
    add_param("a", ParamType::int16, 0, EditMode::Changeable);
    type_and_press(0, " ");
    type_and_press(0, "");
    type_and_press(0, "abc");
    type_and_press(0, "-");
    EXPECT_TRUE(requests().empty());
    EXPECT_EQ(errorField, NO_FIELD);
    EXPECT_EQ(fakeWindow.focus, 0);  // no sign at all

    type_and_press(0, " -5");
    EXPECT_EQ(hex_bytes(memory(0, 4)), "FF FB CC C4");
    type_and_press(0, "\t+12kg");
    EXPECT_EQ(hex_bytes(memory(0, 2)), "00 0C");
    EXPECT_STREQ(fake_text(1100), "\t+12kg");
}

TEST_F(Write, BoxTextBeyond63CharactersIsNotRead)
{
    add_param("a", ParamType::int32, 0, EditMode::Changeable);
    std::string text = std::string(62, ' ') + "7" + "8";  // the 8 is the 64th character
    type_and_press(0, text.c_str());
    EXPECT_EQ(hex_bytes(memory(0, 4)), "00 00 00 07");
}

TEST_F(Write, DefaultInt32WritesItsDefaultAndShowsIt)
{
    add_param("a", ParamType::int32, 12, EditMode::Default, 1000);
    set_field_text(1100, "Not set");
    write_param(0);
    EXPECT_EQ(hex_bytes(memory(12, 6)), "00 00 03 E8 DC B9");
    EXPECT_STREQ(fake_text(1100), "1000");
    EXPECT_EQ(errorField, NO_FIELD);
}

TEST_F(Write, DefaultOutOfItsTypesRange)
{
    add_param("a", ParamType::int8, 0, EditMode::Default, 200);
    set_field_text(1100, "12");
    write_param(0);
    EXPECT_EQ(errorField, 1100);
    EXPECT_EQ(fakeWindow.focus, 1100);
    EXPECT_STREQ(fake_text(1100), "12");
    EXPECT_TRUE(requests().empty());
}

TEST_F(Write, TimeZeroKeepsTheBoxUntilTheNextRefresh)
{
    add_param("t", ParamType::time, 4, EditMode::Changeable);
    type_and_press(0, "0");
    EXPECT_EQ(hex_bytes(memory(4, 6)), "00 00 00 00 84 C0");
    EXPECT_STREQ(fake_text(1100), "0");

    ParamTable[0].mode = EditMode::Default;
    ParamTable[0].defaultValue = 42;
    set_field_text(1100, "old");
    write_param(0);
    EXPECT_EQ(hex_bytes(memory(4, 6)), "00 00 00 2A DB 25");
    EXPECT_STREQ(fake_text(1100), "old");
}

TEST_F(Write, FailedThenSuccessfulWriteOfOneRow)
{
    add_param("a", ParamType::int16, 0, EditMode::Changeable);
    ASSERT_TRUE(sim_flag_answer(SIM_WRITE_BLOCK, 1, 0x12));
    type_and_press(0, "5");
    EXPECT_EQ(errorField, 1100);
    EXPECT_EQ(colour_query(1100), BoxColour::error);
    EXPECT_EQ(colour_query(1100), BoxColour::error);  // red on every repaint while marked
    type_and_press(0, "6");
    EXPECT_EQ(errorField, NO_FIELD);
    EXPECT_EQ(colour_query(1100), BoxColour::ordinary);
    EXPECT_EQ(colour_query(1100), BoxColour::system);
    EXPECT_EQ(hex_bytes(memory(0, 2)), "00 06");
}

TEST_F(Write, ReaderGoneDuringTheWriteMarksTheBox)
{
    add_param("a", ParamType::int32, 2, EditMode::Changeable);
    std::vector<uint8_t> before = whole_memory();
    sim_leave_field_after(3);  // password, two reads; the first block write finds no tag
    type_and_press(0, "77");
    EXPECT_EQ(errorField, 1100);
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
    EXPECT_EQ(errorField, NO_FIELD);
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
    EXPECT_EQ(errorField, NO_FIELD);
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
